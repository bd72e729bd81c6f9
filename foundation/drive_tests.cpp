#include "foundation/drive_tests.h"

#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "foundation/file_io.h"

namespace vek {

namespace {

constexpr long kIso9660Magic = 0x9660;
constexpr long kUdfMagic = 0x15013346;

}  // namespace

bool IsCDRomDrive(const std::filesystem::path& folder) {
  struct statfs st {};
  if (::statfs(folder.c_str(), &st) != 0)
    return false;
  const long type = static_cast<long>(st.f_type);
  return type == kIso9660Magic || type == kUdfMagic;
}

bool DriveIsWritable(const std::filesystem::path& folder) {
  struct statvfs st {};
  if (::statvfs(folder.c_str(), &st) != 0 || (st.f_flag & ST_RDONLY) != 0)
    return false;
  UniqueFile probe = CreateUniqueFile(folder, "ERASEME.$$$.");
  if (probe.error != 0)
    return false;
  probe.fd.Close();
  ::unlink(probe.path.c_str());
  return true;
}

std::string ReadOnlyStartDriveText(const std::filesystem::path& programFolder) {
  if (DriveIsWritable(programFolder))
    return {};
  const std::string folder = programFolder.string();
  return ("\nلا يمكن تشغيل البرنامج من القرص الحالي\n" + folder +
          "\nالقرص للقراءة فقط ولا يمكن الكتابة عليه"
          "\nيرجى تشغيل البرنامج من قرص قابل للكتابة"
          "\n\nProgram can not run from this Dive: " +
          folder +
          "\nbecause it is Read-Only."
          "\nPlease run it from a Read-Write disk");
}

}  // namespace vek
