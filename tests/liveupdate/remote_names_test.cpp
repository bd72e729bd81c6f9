#include "liveupdate/remote_names.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(RemoteNames, MapListedNamesToServerPathsAndLocalNames) {
  struct Case {
    const char* listed;
    const char* remotePath;
    const char* fileName;
  };
  for (const Case& c : {
           Case{"beep.ix", "/indexes/goxbeep.z", "goxbeep.z"},
           Case{"intro.txt", "/txt/go-intro.z", "go-intro.z"},
           Case{"aleppo.wav", "/go-aleppo.z", "go-aleppo.z"},
           Case{"azhan_m1.wav", "/go-azhm1.z", "go-azhm1.z"},
           Case{"AZHAN_M1.WAV", "/go-azhm1.z", "go-azhm1.z"},  // taken in lower case
           Case{"zuzuz623.exe", "/zuzuz623.exe", "zuzuz623.exe"},
           Case{"a.ix.ix", "/a.ix.ix", "a.ix.ix"},  // the first ".ix" is not at the end
           Case{"a.txt.wav", "/go-a.txt.z", "go-a.txt.z"},
           Case{"vek.loc", "/vek.loc", "vek.loc"},
       }) {
    const auto name = RemoteNameOf(c.listed);
    ASSERT_TRUE(name) << c.listed;
    EXPECT_EQ(c.remotePath, name->remotePath) << c.listed;
    EXPECT_EQ(c.fileName, name->fileName) << c.listed;
  }
  const TRemoteName beep = *RemoteNameOf("beep.ix");
  EXPECT_EQ("/prog/goxbeep.z", FinalName("/prog", beep).string());
  EXPECT_EQ("/prog/goxbeep.z.tovarelin", TemporaryName("/prog", beep).string());
}

TEST(RemoteNames, GiveNoPathForANameThatIsNotAPlainFileName) {
  // Also a name holding characters that do not print (the marks of writing direction, joiners,
  // the soft hyphen): "DIRIZ" + bytes 0xFE 0xFD of code page 1256 + ".EXE" shows as "diriz.exe".
  for (const char* bad :
       {"../x.exe", "go-vek/../../x", "sounds/../x", ".profile", "a\r\nb.txt", "",
        "diriz\u200F\u200E.exe", "s1\u200C.wav", "zuzuz\u200D623.exe", "vek\u00AD.loc"}) {
    EXPECT_FALSE(RemoteNameOf(bad)) << bad;
  }
}

}  // namespace
}  // namespace vek
