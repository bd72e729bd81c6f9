#!/usr/bin/env python3
"""The layer check finds each kind of break in a small tree and passes a tree that keeps the rule."""
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_layers  # noqa: E402


SESSION_HEADER = """class ProgramSession {{
 public:
  ProgramSession(std::filesystem::path folder, UiServices& ui, WallClock& clock);
  ProgramSession& operator=(const ProgramSession&) = delete;
  const VekContext& Context() const {{ return ctx_; }}
  UiServices& Ui() {{ return ui_; }}
  SettingsSections& Sections() {{ return sections_; }}
{door}
  class Subscription {{
   public:
    Subscription(ProgramSession& session, Listener listener);
   private:
    ProgramSession& session_;
  }};

 private:
  TLocations& List() {{ return ctx_.Locations; }}
  VekContext ctx_;
}};
"""


def problems_of(files):
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root) / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        return check_layers.check(root)


class LayerCheckTest(unittest.TestCase):
    def test_a_tree_that_keeps_the_rule_passes(self):
        self.assertEqual([], problems_of({
            "engine/a.cpp": '#include "engine/a.h"\n#include "locations/location_record.h"\n',
            "sounds/qt_player.cpp": "#include <QObject>\n",
            "mainwin/w.cpp": '#include "program/program_session.h"\n#include <QWidget>\n',
            "installer/main.cpp": '#include "foundation/ini_file.h"\n',
            "tests/x.cpp": '#include "mainwin/main_window.h"\n',
            "tools/clock_faces/make.cpp": '#include "resources/clock_face.h"\n',
            "tools/program_icons/make.cpp": '#include "mainwin/program_icons.h"\n',
            "tools/screenshots/main.cpp": '#include "mainwin/main_window.h"\n',
            # One way inside a folder: the window includes the preview, not the other way.
            "report/view.cpp": '#include "report/view.h"\n#include "report/preview.h"\n',
            "report/preview.h": '#include "report/source.h"\n',
            "report/preview.cpp": '#include "report/preview.h"\n',
            # The session reads out its state const; below it, the state is written freely.
            "program/program_session.h": SESSION_HEADER.format(door=""),
            "program/settings.h": "void ReadSettings(const IniFile& ini, VekSettings& s);\n",
            "mainwin/s.cpp": "const VekSettings& s = session.Settings();\n"
                             "VekSettings copy = session.Settings();  // VekSettings& no\n",
        }))

    def test_each_break_is_found(self):
        cases = {
            "program/s.cpp": ('#include "mainwin/main_window.h"\n', "not below it"),
            "report/r.cpp": ('#include "calendar/grid.h"\n', "not below it"),
            "engine/e.h": ('#include "locations/location_list.h"\n', "never the list"),
            "program/q.h": ("#include <QString>\n", "includes Qt"),
            "sounds/trigger.cpp": ("#include <QTimer>\n", "includes Qt"),
            "installer/i.cpp": ('#include "program/settings.h"\n', "the installer includes"),
            "newfolder/n.cpp": ("\n", "no place among the layers"),
            "tools/clock_faces/make.cpp": ('#include "mainwin/clock_face.h"\n',
                                           "the generator of resources/'s data"),
        }
        for name, (text, expected) in cases.items():
            with self.subTest(name):
                found = problems_of({name: text})
                self.assertTrue(any(expected in p for p in found), found)

    def test_a_planted_write_of_the_run_state_is_found(self):
        cases = {
            "a door of the session": ("program/program_session.h", SESSION_HEADER.format(
                door="  std::map<int, TLocations>& Locations() { return ctx_.Locations; }"),
                "hands out Locations() writable"),
            "a pointer door": ("program/program_session.h", SESSION_HEADER.format(
                door="  IniFile* SettingsFile();"), "hands out SettingsFile() writable"),
            "const cast away": ("mainwin/w.cpp",
                                "const_cast<VekSettings&>(session.Settings()).Is24H = true;\n",
                                "casts const away"),
            "a writable reference kept": ("sounds/trigger.h", "  VekSettings& settings_;\n",
                                          "holds a writable VekSettings"),
            "a writable pointer in a context": ("report/context.h", "  VekContext* Run;\n",
                                                "holds a writable VekContext"),
        }
        for name, (path, text, expected) in cases.items():
            with self.subTest(name):
                found = problems_of({path: text})
                self.assertEqual(1, len(found), found)
                self.assertIn(expected, found[0])

    def test_an_include_loop_inside_a_folder_is_found(self):
        cases = {
            "each other": ({
                "report/view.cpp": '#include "report/view.h"\n#include "report/preview.h"\n',
                "report/preview.cpp": '#include "report/preview.h"\n#include "report/view.h"\n',
            }, ["report/preview", "report/view"]),
            "around three": ({
                "calendar/a.h": '#include "calendar/b.h"\n',
                "calendar/b.cpp": '#include "calendar/b.h"\n#include "calendar/c.h"\n',
                "calendar/c.h": '#include "calendar/a.h"\n',
                "calendar/d.cpp": '#include "calendar/a.h"\n',
            }, ["calendar/a", "calendar/b", "calendar/c"]),
        }
        for name, (files, members) in cases.items():
            with self.subTest(name):
                found = problems_of(files)
                self.assertEqual(1, len(found), found)
                self.assertIn("include loop", found[0])
                self.assertIn(", ".join(members), found[0])


if __name__ == "__main__":
    unittest.main()
