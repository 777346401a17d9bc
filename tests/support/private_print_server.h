#pragma once
// A print server of the test's own: Debian's cupsd run from a private
// configuration folder in the test's temporary folder, listening on a
// private Unix socket only, with two queues whose devices write each job to
// a file. While it lives, CUPS_SERVER points the program at it, so a test
// never reaches the host's print system or printers.
//
// Queues (PPDs in tests/support/print_server/):
// - LabelQueue: a 203 dpi label printer, default page 2 in x 4 in, no margins;
// - OfficeQueue: the server's default printer, A4 by default, 300 dpi by
//   default and 600 dpi on request;
// - LabelClass: a class of the label printer;
// - MixedClass: a class of both printers, which differ in resolution and paper.

#include <sys/types.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scoped_environment.h"

namespace zk::test {

struct PrintServerJob {
    int id = 0;
    std::string printer;
    // The IPP job state: 3 pending ... 9 completed.
    int state = 0;
};

class PrivatePrintServer {
public:
    static constexpr const char* LabelQueue = "zk-label-203";
    static constexpr const char* OfficeQueue = "zk-a4-300";
    static constexpr const char* LabelClass = "zk-labels";
    static constexpr const char* MixedClass = "zk-mixed";
    // Printers and classes.
    static constexpr int Destinations = 4;

    // What the server keeps of a job once it is done: its documents too, as
    // by default, or only its attributes, as servers set up not to keep
    // what was printed do.
    enum class DoneJobs { KeepDocuments, DropDocuments };

    // Starts the server and waits until it answers with its destinations; on
    // failure Error() says why (the server's log included).
    explicit PrivatePrintServer(DoneJobs doneJobs = DoneJobs::KeepDocuments);
    ~PrivatePrintServer();
    PrivatePrintServer(const PrivatePrintServer&) = delete;
    PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

    bool Running() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // The socket it listens on.
    std::filesystem::path Socket() const { return m_folder / "cups.sock"; }
    // The file the queue's device writes the last job to.
    std::filesystem::path Output(const std::string& queue) const;
    // Every job the server has taken, finished or not.
    std::vector<PrintServerJob> Jobs() const;
    // True once no job is left to process (or false at the bound).
    bool WaitUntilJobsDone(std::chrono::milliseconds bound) const;

    // The administrator's commands: the queue goes away; the queue refuses
    // new jobs; it takes them again.
    bool RemoveQueue(const std::string& queue) const;
    bool RejectJobs(const std::string& queue) const;
    bool AcceptJobs(const std::string& queue) const;

    // The server ends, as when it is stopped or crashes; Restart starts a
    // fresh one (queues as at the start, no jobs).
    void Stop();
    bool Restart();

private:
    bool Start();
    bool WriteConfiguration() const;
    bool WaitUntilAnswering();
    bool QueueCommand(int operation, const std::string& queue) const;
    std::string Log() const;

    DoneJobs m_doneJobs;
    std::filesystem::path m_folder;
    std::string m_error;
    pid_t m_pid = -1;
    ScopedEnvironment m_environment;
};

}  // namespace zk::test
