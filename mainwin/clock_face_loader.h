// Loading a clock face: the face's settings go to the clock, and its picture comes from the
// program folder, where it is unpacked from the face's resource pack on first use.
//
// For a face with base name N, in the program folder (names found ignoring case):
//  1. with neither N.ZIP nor N.BMP there, the pack (resource N + "ZIP") is written out as N.ZIP;
//  2. with no N.BMP, the entry N.BMP alone is extracted from N.ZIP (through a temporary file);
//  3. N.BMP is read. An archive or bitmap already there that cannot be used (a damaged ZIP, a
//     truncated BMP) is replaced once by a fresh copy from the pack before the load gives up.
// The files are left in the folder. A face that cannot be loaded leaves the clock's previous
// picture and is reported with a message unless the run's switches have IGNOREBMP; with DEBUGVEK
// the unpacking is written to the debug log.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

#include "foundation/command_line.h"
#include "foundation/language.h"
#include "foundation/resource_pack.h"
#include "foundation/ui_services.h"

namespace vek {

class AnalogClock;

// Puts the marks setting and hand lengths of the face with that code on the clock; the bare
// clock (300) also loses its picture. Answers the face's base name, empty for the bare clock and
// for an unknown code (which leaves the clock as it was).
std::string ApplyFaceCode(int code, AnalogClock& clock);

// A face's picture, or why it could not be had, in both languages.
struct FacePicture {
  QImage picture;  // null when it could not be had
  std::string english;
  std::string arabic;
  const std::string& Text(Language lang) const { return ByLanguage(lang, english, arabic); }
};

// The picture N.BMP, unpacked as above from module's packs into programFolder.
FacePicture UnpackFacePicture(const std::string& baseName,
                              const std::filesystem::path& programFolder,
                              const ResourceModule& module, const CommandLineSwitches& switches);

// Shows, in lang, why face has no picture, unless the run's switches have IGNOREBMP.
void ShowFacePictureFailure(const FacePicture& face, UiServices& ui, Language lang,
                            const CommandLineSwitches& switches);

// Shows the face with that code on the clock: ApplyFaceCode, then the picture. Answers the
// face's index (the new ClockFaceIndex, which the caller stores), or -1 for an unknown code.
int LoadClockFace(int code, const std::filesystem::path& programFolder,
                  const ResourceModule& module, AnalogClock& clock, UiServices& ui, Language lang,
                  const CommandLineSwitches& switches);

}  // namespace vek
