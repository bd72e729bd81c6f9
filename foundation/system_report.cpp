#include "foundation/system_report.h"

#include <sys/resource.h>
#include <sys/statvfs.h>

#include <charconv>
#include <fstream>
#include <sstream>

#include "foundation/conversions.h"
#include "foundation/program_version.h"
#include "foundation/sibling_programs.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// The user address space of a 64-bit process under four-level paging (128 TiB), taken as the
// total virtual memory when the process has no address-space limit.
constexpr std::uint64_t kUserAddressSpace = std::uint64_t{1} << 47;

std::string ReadWholeFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The value of "name:" in a /proc text, in bytes (the files give kB); nothing when missing.
bool FindKbField(std::string_view text, std::string_view name, std::uint64_t& bytes) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
        line[name.size()] != ':')
      continue;
    std::string_view value = Trim(line.substr(name.size() + 1));
    std::uint64_t kb = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), kb);
    if (error != std::errc())
      return false;
    bytes = kb * 1024;
    return true;
  }
  return false;
}

std::string Number(std::uint64_t value) {
  return AddThousandsSeparators(std::to_string(value));
}

const char* FamilyText(SystemFamily family) {
  switch (family) {
    case SystemFamily::WindowsNT:
      return "WIN32_NT";
    case SystemFamily::Windows9x:
      return "WIN32_WINDOWS";
    default:
      return "Not Win32_NT nor Win32_Windows";
  }
}

}  // namespace

void ReadMemInfo(std::string_view meminfo, SystemFigures& figures) {
  std::uint64_t total = 0;
  std::uint64_t available = 0;
  std::uint64_t swapTotal = 0;
  std::uint64_t swapFree = 0;
  FindKbField(meminfo, "MemTotal", total);
  if (!FindKbField(meminfo, "MemAvailable", available))
    FindKbField(meminfo, "MemFree", available);
  FindKbField(meminfo, "SwapTotal", swapTotal);
  FindKbField(meminfo, "SwapFree", swapFree);
  available = std::min(available, total);
  figures.TotalPhys = total;
  figures.AvailPhys = available;
  figures.TotalPageFile = total + swapTotal;
  figures.AvailPageFile = available + std::min(swapFree, swapTotal);
  figures.MemoryLoad =
      total == 0 ? 0 : static_cast<std::uint32_t>(((total - available) * 100 + total / 2) / total);
}

SystemFigures CollectSystemFigures(const fs::path& programFolder, int year, int month, int day) {
  SystemFigures f;
  f.Year = year;
  f.Month = month;
  f.Day = day;
  std::error_code ec;
  f.ProgramPath = fs::read_symlink("/proc/self/exe", ec).string();
  f.Family = SystemFamily::Other;
  ReadMemInfo(ReadWholeFile("/proc/meminfo"), f);
  struct statvfs disk {};
  if (::statvfs(programFolder.c_str(), &disk) == 0)
    f.FreeDisk = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
  struct rlimit limit {};
  f.TotalVirtual = ::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
                       ? static_cast<std::uint64_t>(limit.rlim_cur)
                       : kUserAddressSpace;
  std::uint64_t used = 0;
  FindKbField(ReadWholeFile("/proc/self/status"), "VmSize", used);
  f.AvailVirtual = used < f.TotalVirtual ? f.TotalVirtual - used : 0;
  return f;
}

std::string SystemReportText(const SystemFigures& f, std::string_view version) {
  std::string text;
  const auto line = [&text](std::string_view name, std::string_view value) {
    text.append(name).append(value).append("\r\n");
  };
  line("D/M/Y: ", std::to_string(f.Day)
                      .append("/")
                      .append(std::to_string(f.Month))
                      .append("/")
                      .append(std::to_string(f.Year)));
  line("", f.ProgramPath);
  line("V:", version);
  line("", FamilyText(f.Family));
  line("MemoryLoad= ", Number(f.MemoryLoad).append("%"));
  line("TotalPhys= ", Number(f.TotalPhys));
  line("AvailPhys= ", Number(f.AvailPhys));
  line("Free Disk space= ", Number(f.FreeDisk));
  line("TotalPageFile= ", Number(f.TotalPageFile));
  line("AvailPageFile= ", Number(f.AvailPageFile));
  line("TotalVirtual= ", Number(f.TotalVirtual));
  line("AvailVirtual= ", Number(f.AvailVirtual));
  return text;
}

std::string MissingPluginText(const std::string& pluginPath, bool arabic) {
  if (arabic)
    return std::string("خطأ، ملف مفقود\n") + pluginPath + "\n\n" +
           "هذا أحد البرامج الملحقة ببرنامج Al Tovarelin وبرنامج أوقات الصلاة،\n"
           "ويتيح للبرنامج أن يجمع ويرسل تلقائيا معلومات تقنية\n"
           "عن جهازك، مثل:\n"
           "رقم إصدار برنامجنا، والذاكرة المتاحة، وحجم القرص، والمساحة الحرة فيه، وتاريخ اليوم،\n"
           "وإصدار نظام التشغيل لديك، والمجلد الذي يوجد فيه برنامجنا،\n"
           "ومعلومات مشابهة،\n"
           "لتساعدنا في تحليل مشكلتك.\n\n"
           "يرجى نسخه من القرص المدمج، أو ترقية البرنامج الحالي من موقعنا\n\n"
           "سيتابع البرنامج الآن دون هذه المعلومات،\n"
           "لكن عليك أن تضيف منها بنفسك أكثر ما تستطيع";
  return std::string("Error: File Missing\n") + pluginPath + "\n\n" +
         "This is one the Plug-Ins to Al Tovarelin Program and Zurivo Zazir Program,\n"
         "and allows the program to automatically collect and send technical information\n"
         "about your system, such as:\n"
         "Our version number, available memory, disk size, free disk space, today's date,\n"
         "the version of your Windows operating System, the directory where our program\n"
         "is located, and similar information,\n"
         "in order to assist us in analyzing your problem.\n\n"
         "Please copy it from the CD, or update this current program from our site\n\n"
         "The program will now continue without this information,\n"
         "but you will have to add as much of this information as possible";
}

void BuildSystemReport(bool isMainProgram, bool arabic, const fs::path& pluginPath,
                       std::string& report, bool& declined, UiServices& ui,
                       const std::function<SystemFigures()>& figures) {
  report.clear();
  declined = false;
  std::error_code ec;
  if (!fs::is_regular_file(pluginPath, ec)) {
    ShowProgramMessage(MissingPluginText(pluginPath.string(), arabic), ui);
    return;
  }
  const char* question =
      arabic ? "\nسيُعد الآن بريد إلكتروني،\nأرفقنا به ملفا يحوي\nمعلومات عن جهازك.\n\n"
               "يرجى أن تكتب تفاصيل المشكلة في أسفل الرسالة.\n"
               "يرجى ذكر أكبر قدر ممكن من التفاصيل الدقيقة\n\nموافق؟"
             : "\nAn E-mail will now be prepared,\nto which we attached a file containing\n"
               "information about your system.\n\n"
               "Please type the details of your problem at the bottom of the mail.\n"
               "Please provide as many accurate details as possible\n\nOK?";
  if (ui.AskNoYes(question, arabic ? kArabicCaptions : kEnglishCaptions) != 1) {
    declined = true;
    return;
  }
  std::string version(kProgramVersion);
  if (!isMainProgram) {
    const SiblingVersions sibling = LoadSiblingVersions();
    if (!sibling.ok)
      ShowProgramMessage(sibling.error, ui);
    version = sibling.quvHigh + "." + sibling.quvLow;
  }
  report = SystemReportText(figures(), version);
}

std::string SupportMailText(std::string_view address, const std::vector<std::string>& attachments,
                            std::string_view report, bool arabic) {
  std::string text = "To: ";
  text.append(address);
  text += "\r\nSubject: ";
  text.append(kSupportMailSubject);
  text += "\r\nAttachments: ";
  for (std::size_t i = 0; i < attachments.size(); ++i) {
    if (i > 0)
      text += ';';
    text += attachments[i];
  }
  text += "\r\n\r\n";
  text.append(report);
  text +=
      arabic ? "*** اكتب هنا وصفا مفصلا للمشكلة ***" : "*** Detailed problem description here ***";
  text += "\r\n";
  return text;
}

}  // namespace vek
