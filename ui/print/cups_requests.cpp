#include "ui/print/cups_requests.h"

#include <cups/cups.h>

#include <sys/mman.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

namespace zk {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at its deadline and at the cancellation.
constexpr double PollSeconds = 0.1;

const char* const PrinterAttributes[] = {
    "printer-name", "printer-resolution-default", "printer-resolution-supported", "media-default", "media-supported",
};

struct HttpClose {
    void operator()(http_t* connection) const { httpClose(connection); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

struct IppDelete {
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

bool Expired(const RequestBounds& bounds)
{
    return bounds.cancelled->load() || Clock::now() >= bounds.deadline;
}

// libcups asks this whenever a wait has gone PollSeconds without news.
int KeepWaiting(http_t*, void* bounds)
{
    return Expired(*static_cast<const RequestBounds*>(bounds)) ? 0 : 1;
}

// A password would be asked for on the terminal the program may have been
// started from, blocking the worker for good: none is given.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

Connection Connect(const RequestBounds& bounds)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(bounds.deadline - Clock::now()).count();
    if (left <= 0 || bounds.cancelled->load()) {
        return nullptr;
    }
    // The server as the environment and the client configuration name it now.
    cupsSetServer(nullptr);
    cupsSetPasswordCB2(NoPassword, nullptr);
    Connection connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                       static_cast<int>(std::min<long long>(left, INT_MAX)), nullptr));
    if (connection != nullptr) {
        httpSetTimeout(connection.get(), PollSeconds, KeepWaiting, const_cast<RequestBounds*>(&bounds));
    }
    return connection;
}

// Why a request got no answer: the print system is out of reach or too
// slow, or it refused.
PrintSystemAnswer Failure(http_t* connection, const RequestBounds& bounds)
{
    if (Expired(bounds) || httpError(connection) != 0 || cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        return PrintSystemAnswer::NoAnswer;
    }
    return PrintSystemAnswer::Refused;
}

PrintSystemAnswer AnswerFor(ipp_status_t status)
{
    if (status <= IPP_STATUS_OK_CONFLICTING) {
        return PrintSystemAnswer::Done;
    }
    switch (status) {
        case IPP_STATUS_ERROR_NOT_FOUND:
            return PrintSystemAnswer::NoSuchPrinter;
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return PrintSystemAnswer::NotAccepting;
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            return PrintSystemAnswer::NoAnswer;
        default:
            return PrintSystemAnswer::Refused;
    }
}

std::string PrinterUri(const std::string& name)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     name.c_str());
    return uri;
}

PrinterResolution ResolutionOf(ipp_attribute_t* attribute, int index)
{
    int down = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(attribute, index, &down, &units);
    if (units == IPP_RES_PER_CM) {
        return {static_cast<int>(std::lround(across * 2.54)), static_cast<int>(std::lround(down * 2.54))};
    }
    return {across, down};
}

// Sizes the print system can't measure (rolls, names of its own) are left out.
std::optional<PrinterMedia> MediaOf(const char* keyword)
{
    if (keyword == nullptr) {
        return std::nullopt;
    }
    const pwg_media_t* size = pwgMediaForPWG(keyword);
    if (size == nullptr) {
        size = pwgMediaForLegacy(keyword);
    }
    if (size == nullptr || size->width <= 0 || size->length <= 0) {
        return std::nullopt;
    }
    return PrinterMedia{keyword, size->ppd != nullptr ? size->ppd : keyword, size->width, size->length};
}

void ReadAttribute(ipp_attribute_t* attribute, PrinterDescription& printer)
{
    const std::string name = ippGetName(attribute);
    const int count = ippGetCount(attribute);
    const bool resolution = ippGetValueTag(attribute) == IPP_TAG_RESOLUTION;
    if (name == "printer-name") {
        printer.name = ippGetString(attribute, 0, nullptr);
    } else if (name == "printer-resolution-default" && resolution) {
        printer.defaultResolution = ResolutionOf(attribute, 0);
    } else if (name == "printer-resolution-supported" && resolution) {
        for (int index = 0; index < count; ++index) {
            printer.resolutions.push_back(ResolutionOf(attribute, index));
        }
    } else if (name == "media-default") {
        printer.defaultMedia = MediaOf(ippGetString(attribute, 0, nullptr));
    } else if (name == "media-supported") {
        for (int index = 0; index < count; ++index) {
            if (auto media = MediaOf(ippGetString(attribute, index, nullptr))) {
                printer.media.push_back(std::move(*media));
            }
        }
    }
}

// The printers of an answer, one attribute group each.
std::vector<PrinterDescription> PrintersOf(ipp_t* answer)
{
    std::vector<PrinterDescription> printers;
    bool inGroup = false;
    for (ipp_attribute_t* attribute = ippFirstAttribute(answer); attribute != nullptr;
         attribute = ippNextAttribute(answer)) {
        if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER || ippGetName(attribute) == nullptr) {
            inGroup = false;
            continue;
        }
        if (!inGroup) {
            printers.emplace_back();
            inGroup = true;
        }
        ReadAttribute(attribute, printers.back());
    }
    std::erase_if(printers, [](const PrinterDescription& printer) { return printer.name.empty(); });
    return printers;
}

ipp_t* NewRequest(ipp_op_t operation)
{
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

void AskForPrinterAttributes(ipp_t* request)
{
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(PrinterAttributes)), nullptr, PrinterAttributes);
}

// The default printer in the order the print system's own tools follow:
// the environment, the user's and the system's print options, the server.
// False when the print system did not answer; name is empty when it has
// no default printer.
bool DefaultPrinterName(http_t* connection, const RequestBounds& bounds, std::string& name)
{
    name.clear();
    cups_dest_t* dest = cupsGetNamedDest(connection, nullptr, nullptr);
    if (dest == nullptr) {
        return Failure(connection, bounds) != PrintSystemAnswer::NoAnswer;
    }
    name = dest->name;
    cupsFreeDests(1, dest);
    return true;
}

class MemoryFile {
public:
    explicit MemoryFile(const std::string& content) : m_fd(memfd_create("label-job", MFD_CLOEXEC))
    {
        for (size_t written = 0; m_fd >= 0 && written < content.size();) {
            const ssize_t done = write(m_fd, content.data() + written, content.size() - written);
            if (done < 0 && errno != EINTR) {
                Close();
            } else if (done > 0) {
                written += static_cast<size_t>(done);
            }
        }
        if (m_fd >= 0 && lseek(m_fd, 0, SEEK_SET) != 0) {
            Close();
        }
    }
    ~MemoryFile() { Close(); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int Fd() const { return m_fd; }

private:
    void Close()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
        m_fd = -1;
    }

    int m_fd;
};

}  // namespace

PrinterList ListPrinters(const RequestBounds& bounds)
{
    PrinterList list;
    const Connection connection = Connect(bounds);
    if (connection == nullptr || !DefaultPrinterName(connection.get(), bounds, list.defaultPrinter)) {
        return list;
    }
    ipp_t* request = NewRequest(IPP_OP_CUPS_GET_PRINTERS);
    AskForPrinterAttributes(request);
    const Ipp answer(cupsDoRequest(connection.get(), request, "/"));
    if (answer == nullptr) {
        list.answer = Failure(connection.get(), bounds);
        return list;
    }
    // A print system without printers answers "not found".
    const ipp_status_t status = ippGetStatusCode(answer.get());
    list.answer = status == IPP_STATUS_ERROR_NOT_FOUND ? PrintSystemAnswer::Done : AnswerFor(status);
    if (list.answer == PrintSystemAnswer::Done) {
        list.printers = PrintersOf(answer.get());
    }
    return list;
}

PrinterLookup DescribePrinter(const std::string& name, const RequestBounds& bounds)
{
    PrinterLookup lookup;
    const Connection connection = Connect(bounds);
    if (connection == nullptr) {
        return lookup;
    }
    std::string printer = name;
    if (printer.empty()) {
        if (!DefaultPrinterName(connection.get(), bounds, printer)) {
            lookup.detail = cupsLastErrorString();
            return lookup;
        }
        if (printer.empty()) {
            lookup.answer = PrintSystemAnswer::NoDefaultPrinter;
            return lookup;
        }
    }
    ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(printer).c_str());
    AskForPrinterAttributes(request);
    const Ipp answer(cupsDoRequest(connection.get(), request, "/"));
    lookup.printer.name = printer;
    if (answer == nullptr) {
        lookup.answer = Failure(connection.get(), bounds);
        lookup.detail = cupsLastErrorString();
        return lookup;
    }
    lookup.answer = AnswerFor(ippGetStatusCode(answer.get()));
    lookup.detail = cupsLastErrorString();
    if (lookup.answer == PrintSystemAnswer::Done) {
        std::vector<PrinterDescription> printers = PrintersOf(answer.get());
        if (!printers.empty()) {
            lookup.printer = std::move(printers.front());
        }
        lookup.printer.name = printer;
    }
    return lookup;
}

JobAnswer SubmitJob(const PrintJob& job, const RequestBounds& bounds)
{
    JobAnswer result;
    const Connection connection = Connect(bounds);
    if (connection == nullptr) {
        return result;
    }
    const MemoryFile document(job.pdf);
    if (document.Fd() < 0) {
        result.answer = PrintSystemAnswer::Refused;
        result.detail = std::strerror(errno);
        return result;
    }
    const std::string uri = PrinterUri(job.printer);
    ipp_t* request = NewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, job.title.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, "application/pdf");
    if (job.media) {
        ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, job.media->c_str());
    }
    if (job.resolution) {
        ippAddResolution(request, IPP_TAG_JOB, "printer-resolution", IPP_RES_PER_INCH, job.resolution->x,
                         job.resolution->y);
    }
    // The page is drawn at the printer's size: filters must not fit it to the paper.
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "print-scaling", nullptr, "none");
    const std::string resource = uri.substr(uri.find("/printers/"));
    const Ipp answer(cupsDoIORequest(connection.get(), request, resource.c_str(), document.Fd(), -1));
    result.detail = cupsLastErrorString();
    if (answer == nullptr) {
        result.answer = Failure(connection.get(), bounds);
        return result;
    }
    result.answer = AnswerFor(ippGetStatusCode(answer.get()));
    return result;
}

}  // namespace zk
