#include "liveupdate/session_live_update_setup.h"

#include "liveupdate/listing_comparison.h"
#include "program/settings_converters.h"
#include "resources/clock_face.h"

namespace vek {

TListingSettings MakeListingSettings(const ProgramSession& session) {
  TListingSettings listing;
  listing.programFolder = session.ProgramFolder();
  listing.maintainerMode = session.CommandLine().upload;
  listing.liveUpdateRunning = true;
  listing.language = session.Settings().Lang;
  return listing;
}

AfterListing NextAfterListing(const TListingOutcome& written, bool maintainerMode) {
  if (written.status == TListingOutcome::PackageMissing ||
      (written.status == TListingOutcome::Written && maintainerMode))
    return AfterListing::Close;
  if (written.status != TListingOutcome::Written)
    return AfterListing::Stop;
  return AfterListing::Open;
}

TLiveUpdateSetup MakeLiveUpdateSetup(const ProgramSession& session, TransferKind kind,
                                     const std::filesystem::path& updateFolder,
                                     const TListingOutcome& written) {
  const VekSettings& s = session.Settings();
  const std::filesystem::path& program = session.ProgramFolder();
  TLiveUpdateSetup setup;
  setup.kind = kind;
  setup.programFolder = program;
  setup.updateFolder = updateFolder;
  setup.connectionWanted = written.vekModuleListed || written.quvModuleListed;
  setup.skipDownload = session.CommandLine().skipDownload;
  setup.language = s.Lang;
  setup.comparison.packageName = written.packageName;
  setup.comparison.packageSubstitution = written.vekModuleListed;
  for (std::size_t i = 0; i < AzhanFiles.size(); ++i)
    setup.comparison.adhans.push_back({std::string(AzhanFiles[i]), s.AzhanDescriptions.English[i],
                                       s.AzhanDescriptions.Arabic[i]});
  setup.comparison.fileExists = ProgramFolderProbe(program);
  // The clock faces' archives and pictures are files the program reads: a download must read.
  for (const ClockFaceRow& face : kClockFaces) {
    if (!face.baseName.empty())
      setup.clockFaces.emplace_back(face.baseName);
  }
  setup.clockFaces.emplace_back(kNoFacePictureName);
  return setup;
}

}  // namespace vek
