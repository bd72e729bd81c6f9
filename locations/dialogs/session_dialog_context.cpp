#include "locations/dialogs/session_dialog_context.h"

#include <utility>

#include "foundation/qt/message_forms.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

LocationDialogContext MakeLocationDialogContext(ProgramSession& session, TLocations& list,
                                                ModalRunner runModal) {
  LocationDialogContext c;
  c.RunModal = std::move(runModal);
  const VekSettings& s = session.Settings();
  c.Locations = &list;
  c.Lang = s.Lang;
  c.ShowHint = s.ShowHint;
  c.IsRamadan = session.Context().IsRamadan;
  c.Is24H = s.Is24H;
  c.Names = s.Names;
  c.Engine = session.Engine();
  c.Today = session.Today();
  c.Ui = &session.Ui();
  c.DateText = [&session] { return session.DateCaptionText(); };
  c.TimeText = [&session] { return session.TimeText(); };
  c.HijriMode = [&session] { return session.Settings().HijriMode; };
  c.ToggleDateMode = [&session] { session.ToggleDateKind(); };
  MessageFormContext forms;
  forms.lang = s.Lang;
  forms.showHint = s.ShowHint;
  c.ShowKQMessage = [forms](const std::string& text) { ShowKQMessage(ToQString(text), forms); };
  c.AskYesNoMessage = [forms](const std::string& text) {
    return AskYesNoMessage(ToQString(text), forms);
  };
  return c;
}

}  // namespace vek
