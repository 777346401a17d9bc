#include "tests/support/private_print_server.h"

#include <cups/cups.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace zk::test {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* Cupsd = "/usr/sbin/cupsd";
constexpr auto StartBound = 20s;
constexpr auto StopBound = 5s;

struct IppDelete {
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

struct HttpClose {
    void operator()(http_t* connection) const { httpClose(connection); }
};

std::string PrinterUri(const std::string& queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.c_str());
    return uri;
}

// One request to the server at socket; the answer, or null when the server
// can't be reached or doesn't answer within a few seconds.
Ipp Ask(const fs::path& socket, ipp_t* request, const char* resource)
{
    const std::unique_ptr<http_t, HttpClose> connection(
        httpConnect2(socket.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr));
    if (connection == nullptr) {
        ippDelete(request);
        return nullptr;
    }
    httpSetTimeout(connection.get(), 5.0, nullptr, nullptr);
    return Ipp(cupsDoRequest(connection.get(), request, resource));
}

bool Succeeded(const Ipp& answer)
{
    return answer != nullptr && ippGetStatusCode(answer.get()) <= IPP_STATUS_OK_CONFLICTING;
}

bool WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream file(path);
    file << text;
    return static_cast<bool>(file.flush());
}

// The filters of a server started by root run as the print system's own
// user, which must be able to pass through every folder above the spool.
bool LetFiltersReach(const fs::path& folder, std::string& error)
{
    if (geteuid() != 0) {
        return true;
    }
    for (fs::path place = folder; !place.empty(); place = place.parent_path()) {
        struct stat status {
        };
        if (stat(place.c_str(), &status) != 0) {
            error = "can't read " + place.string() + ": " + std::strerror(errno);
            return false;
        }
        if ((status.st_mode & S_IXOTH) == 0) {
            if (status.st_uid != geteuid() || chmod(place.c_str(), (status.st_mode & 07777) | S_IXOTH) != 0) {
                error = "the print server's filters can't pass through " + place.string();
                return false;
            }
        }
        if (place == place.root_path()) {
            break;
        }
    }
    return true;
}

}  // namespace

PrivatePrintServer::PrivatePrintServer(DoneJobs doneJobs) : m_doneJobs(doneJobs)
{
    if (!Start()) {
        m_error = "private print server: " + m_error;
    }
}

PrivatePrintServer::~PrivatePrintServer()
{
    Stop();
}

void PrivatePrintServer::Stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        const auto bound = std::chrono::steady_clock::now() + StopBound;
        while (waitpid(m_pid, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > bound) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
        m_pid = -1;
    }
    if (!m_folder.empty()) {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
        m_folder.clear();
    }
}

bool PrivatePrintServer::Restart()
{
    Stop();
    m_error.clear();
    if (!Start()) {
        m_error = "private print server: " + m_error;
    }
    return Running();
}

bool PrivatePrintServer::Start()
{
    if (access(Cupsd, X_OK) != 0) {
        m_error = std::string(Cupsd) + " is missing (scripts/install-deps.sh installs the cups package)";
        return false;
    }
    std::string pattern = (fs::temp_directory_path() / "print-server.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        m_error = "can't make " + pattern + ": " + std::strerror(errno);
        return false;
    }
    m_folder = pattern;
    if (m_folder.string().size() + 12 >= sizeof(sockaddr_un::sun_path)) {
        m_error = "the socket path in " + m_folder.string() + " is too long";
        return false;
    }
    std::error_code error;
    for (const char* sub : {"ppd", "spool/tmp", "cache", "state", "log", "out"}) {
        fs::create_directories(m_folder / sub, error);
    }
    if (error || !WriteConfiguration()) {
        m_error = "can't write the configuration in " + m_folder.string();
        return false;
    }
    if (!LetFiltersReach(m_folder, m_error)) {
        return false;
    }

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const std::string output = (m_folder / "log" / "cupsd.out").string();
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    const std::string conf = (m_folder / "cupsd.conf").string();
    const std::string filesConf = (m_folder / "cups-files.conf").string();
    std::string argv0 = Cupsd, foreground = "-f", c = "-c", s = "-s";
    char* argv[] = {argv0.data(), foreground.data(),
                    c.data(),     const_cast<char*>(conf.c_str()),
                    s.data(),     const_cast<char*>(filesConf.c_str()),
                    nullptr};
    const int spawned = posix_spawn(&m_pid, Cupsd, &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
        m_pid = -1;
        m_error = std::string("can't start ") + Cupsd + ": " + std::strerror(spawned);
        return false;
    }
    m_environment.Set("CUPS_SERVER", (m_folder / "cups.sock").string());
    // libcups keeps the address it read first for each thread: this one reads it again.
    cupsSetServer(nullptr);
    return WaitUntilAnswering();
}

bool PrivatePrintServer::WriteConfiguration() const
{
    const std::string root = m_folder.string();
    // No port, no browsing, no web pages, nobody asked for a password.
    const std::string server = "Listen " + root + "/cups.sock\n" +
                               "LogLevel warn\n"
                               "Browsing No\n"
                               "WebInterface No\n"
                               "DefaultAuthType None\n" +
                               (m_doneJobs == DoneJobs::DropDocuments ? "PreserveJobFiles No\n" : "") +
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    // Everything it writes stays in the folder; file: devices are allowed.
    const std::string files = "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nTempDir " + root +
                              "/spool/tmp\nCacheDir " + root + "/cache\nStateDir " + root + "/state\nErrorLog " + root +
                              "/log/error_log\nAccessLog " + root + "/log/access_log\nPageLog " + root +
                              "/log/page_log\nPrintcap " + root + "/printcap\nFileDevice Yes\n";
    std::string printers;
    for (const char* queue : {LabelQueue, OfficeQueue}) {
        const bool isDefault = std::string(queue) == OfficeQueue;
        printers += std::string(isDefault ? "<DefaultPrinter " : "<Printer ") + queue + ">\nDeviceURI file://" +
                    Output(queue).string() + "\nState Idle\nAccepting Yes\n</Printer>\n";
        std::error_code error;
        fs::copy_file(fs::path(ZK_SOURCE_DIR) / "tests/support/print_server" / (std::string(queue) + ".ppd"),
                      m_folder / "ppd" / (std::string(queue) + ".ppd"), error);
        if (error) {
            return false;
        }
    }
    const std::string classes = std::string("<Class ") + LabelClass + ">\nState Idle\nAccepting Yes\nPrinter " +
                                LabelQueue + "\n</Class>\n<Class " + MixedClass +
                                ">\nState Idle\nAccepting Yes\nPrinter " + LabelQueue + "\nPrinter " + OfficeQueue +
                                "\n</Class>\n";
    return WriteFile(m_folder / "cupsd.conf", server) && WriteFile(m_folder / "cups-files.conf", files) &&
           WriteFile(m_folder / "printers.conf", printers) && WriteFile(m_folder / "classes.conf", classes);
}

bool PrivatePrintServer::WaitUntilAnswering()
{
    const auto bound = std::chrono::steady_clock::now() + StartBound;
    while (std::chrono::steady_clock::now() < bound) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_error = "cupsd ended at its start:\n" + Log();
            return false;
        }
        if (fs::exists(m_folder / "cups.sock")) {
            const Ipp answer = Ask(m_folder / "cups.sock", ippNewRequest(IPP_OP_CUPS_GET_PRINTERS), "/");
            int queues = 0;
            for (ipp_attribute_t* attribute =
                     answer != nullptr ? ippFindAttribute(answer.get(), "printer-name", IPP_TAG_NAME) : nullptr;
                 attribute != nullptr; attribute = ippFindNextAttribute(answer.get(), "printer-name", IPP_TAG_NAME)) {
                ++queues;
            }
            if (Succeeded(answer) && queues == Destinations) {
                return true;
            }
        }
        std::this_thread::sleep_for(20ms);
    }
    m_error = "cupsd did not answer with its destinations within 20 s:\n" + Log();
    return false;
}

std::string PrivatePrintServer::Log() const
{
    std::ostringstream text;
    for (const char* name : {"log/cupsd.out", "log/error_log"}) {
        text << std::ifstream(m_folder / name).rdbuf();
    }
    return text.str();
}

fs::path PrivatePrintServer::Output(const std::string& queue) const
{
    return m_folder / "out" / queue;
}

std::vector<PrintServerJob> PrivatePrintServer::Jobs() const
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    static const char* const wanted[] = {"job-id", "job-printer-uri", "job-state"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    const Ipp answer = Ask(m_folder / "cups.sock", request, "/");
    std::vector<PrintServerJob> jobs;
    if (answer == nullptr) {
        return jobs;
    }
    for (ipp_attribute_t* attribute = ippFirstAttribute(answer.get()); attribute != nullptr;
         attribute = ippNextAttribute(answer.get())) {
        if (ippGetGroupTag(attribute) != IPP_TAG_JOB || ippGetName(attribute) == nullptr) {
            continue;
        }
        const std::string name = ippGetName(attribute);
        if (name == "job-id") {
            jobs.push_back({ippGetInteger(attribute, 0), {}, 0});
        } else if (jobs.empty()) {
            continue;
        } else if (name == "job-printer-uri") {
            const std::string uri = ippGetString(attribute, 0, nullptr);
            jobs.back().printer = uri.substr(uri.rfind('/') + 1);
        } else if (name == "job-state") {
            jobs.back().state = ippGetInteger(attribute, 0);
        }
    }
    return jobs;
}

bool PrivatePrintServer::WaitUntilJobsDone(std::chrono::milliseconds bound) const
{
    const auto until = std::chrono::steady_clock::now() + bound;
    for (;;) {
        bool done = true;
        for (const PrintServerJob& job : Jobs()) {
            done = done && job.state >= IPP_JSTATE_CANCELED;
        }
        if (done) {
            return true;
        }
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
}

bool PrivatePrintServer::QueueCommand(int operation, const std::string& queue) const
{
    ipp_t* request = ippNewRequest(static_cast<ipp_op_t>(operation));
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(queue).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return Succeeded(Ask(m_folder / "cups.sock", request, "/admin/"));
}

bool PrivatePrintServer::RemoveQueue(const std::string& queue) const
{
    return QueueCommand(IPP_OP_CUPS_DELETE_PRINTER, queue);
}

bool PrivatePrintServer::RejectJobs(const std::string& queue) const
{
    return QueueCommand(IPP_OP_CUPS_REJECT_JOBS, queue);
}

bool PrivatePrintServer::AcceptJobs(const std::string& queue) const
{
    return QueueCommand(IPP_OP_CUPS_ACCEPT_JOBS, queue);
}

}  // namespace zk::test
