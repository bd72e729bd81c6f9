#include "report/session_report_context.h"

#include "foundation/qt/message_forms.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

ReportContext MakeReportContext(ProgramSession& session, std::shared_ptr<QPrinter> printer) {
  ReportContext c;
  const VekSettings& s = session.Settings();
  const VekContext& run = session.Context();
  if (session.HasCurrentLocation())
    c.Source.Location = run.Locations.Current().Rec;
  c.Source.Track = run.Track;
  c.Source.Names = s.Names;
  c.Source.Lang = s.Lang;
  c.Source.HijriMode = s.HijriMode;
  c.Source.HijriAdjust = s.HijriAdjust;
  c.Locations = &run.Locations;
  c.Engine = session.Engine();
  c.Today = session.Today();
  c.ShowHint = s.ShowHint;
  c.Sections = &session.Sections();
  MessageFormContext forms;
  forms.lang = s.Lang;
  forms.showHint = s.ShowHint;
  c.ShowMessage = [forms](const std::string& text) { ShowKQMessage(ToQString(text), forms); };
  c.Printer = std::move(printer);
  return c;
}

}  // namespace vek
