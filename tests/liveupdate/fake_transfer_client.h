// A transfer client whose transfers end when the test says so, for the tests of the Live Update
// session and dialog that need no server.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "liveupdate/transfer_client.h"

namespace vek::testing {

// A client whose transfers end when the test says so.
class FakeClient : public TransferClient {
 public:
  struct Running {
    int id;
    TransferCommand command;
    std::string path;
    std::filesystem::path file;
  };

  void SetEventSink(EventSink s) override { sink = std::move(s); }
  std::string HostName() const override { return "update.example"; }
  int Connect() override { return Begin(TransferCommand::Connect, "", {}); }
  int List(const std::string& folder, std::int64_t) override {
    return Begin(TransferCommand::List, folder, {});
  }
  int Download(const std::string& path, const std::filesystem::path& file, std::int64_t) override {
    return Begin(TransferCommand::Download, path, file);
  }
  void Disconnect() override { connected = false; }
  bool Connected() const override { return connected; }
  void Abort() override {
    if (running)
      ++aborts;
    running.reset();
  }
  bool Busy() const override { return running.has_value(); }

  // Ends the running transfer: a download's file gets body; total is the announced size.
  void Finish(const std::string& body, std::int64_t total,
              TransferFailure failure = TransferFailure::None, long reply = 200) {
    ASSERT_TRUE(running);
    const Running r = *running;
    running.reset();
    if (r.command == TransferCommand::Connect && failure == TransferFailure::None)
      connected = true;
    if (r.command == TransferCommand::Download)
      std::ofstream(r.file, std::ios::binary) << body;
    TransferEvent done;
    done.kind = TransferEvent::Done;
    done.transfer = r.id;
    done.outcome.command = r.command;
    done.outcome.failure = failure;
    done.outcome.replyCode = reply;
    done.outcome.received = static_cast<std::int64_t>(body.size());
    done.outcome.total = total;
    sink(done);
  }
  void FinishWhole(const std::string& body) {
    Finish(body, static_cast<std::int64_t>(body.size()));
  }
  // Tells of the running transfer's progress.
  void Progress(std::int64_t received, std::int64_t total) {
    ASSERT_TRUE(running);
    TransferEvent progress;
    progress.kind = TransferEvent::Progress;
    progress.transfer = running->id;
    progress.received = received;
    progress.total = total;
    sink(progress);
  }

  EventSink sink;
  std::optional<Running> running;
  std::vector<std::string> paths;
  bool connected = false;
  int aborts = 0;

 private:
  int Begin(TransferCommand command, const std::string& path, const std::filesystem::path& file) {
    running = Running{++next_, command, path, file};
    paths.push_back(path);
    return next_;
  }
  int next_ = 0;
};

}  // namespace vek::testing
