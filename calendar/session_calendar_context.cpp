#include "calendar/session_calendar_context.h"

#include "program/display_texts.h"

namespace vek {

DatePickerContext MakeDatePickerContext(ProgramSession& session) {
  DatePickerContext c;
  const VekSettings& s = session.Settings();
  c.Lang = s.Lang;
  c.ShowHint = s.ShowHint;
  c.HijriAdjust = s.HijriAdjust;
  c.Today = session.Today();
  c.HijriMode = [&session] { return session.Settings().HijriMode; };
  c.ToggleDateKind = [&session] { session.ToggleDateKind(); };
  c.DateCaption = [&session](double date) {
    const VekSettings& now = session.Settings();
    return DateCaption(date, now.HijriMode, now.Names, now.Lang, now.HijriAdjust);
  };
  return c;
}

RangeSelectorContext MakeRangeSelectorContext(ProgramSession& session) {
  RangeSelectorContext c;
  const VekSettings& s = session.Settings();
  c.Lang = s.Lang;
  c.ShowHint = s.ShowHint;
  c.HijriMode = s.HijriMode;
  c.HijriAdjust = s.HijriAdjust;
  c.Today = session.Today();
  c.Names = s.Names;
  c.Sections = &session.Sections();
  return c;
}

}  // namespace vek
