#include "support/PrivateCupsd.h"

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// A program in PATH or in the system folders where the print service's programs lie.
std::string FindProgram(const std::string& name)
{
    std::vector<std::string> folders;
    if (const char* path = std::getenv("PATH")) {
        std::string rest = path;
        for (size_t colon; (colon = rest.find(':')) != std::string::npos; rest.erase(0, colon + 1))
            folders.push_back(rest.substr(0, colon));
        folders.push_back(rest);
    }
    for (const char* folder : {"/usr/sbin", "/sbin", "/usr/bin", "/bin"})
        folders.emplace_back(folder);
    for (const std::string& folder : folders) {
        const std::string file = folder + "/" + name;
        if (!folder.empty() && access(file.c_str(), X_OK) == 0)
            return file;
    }
    return {};
}

// Starts the program with its output into `log`; the process id, or -1.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& log)
{
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

bool Answers(const std::string& socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

std::string ReadLog(const std::string& file)
{
    try {
        return ReadWholeFile(file);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

PrivateCupsd::PrivateCupsd() : socket_(dir_.File("cups.sock")) {}

PrivateCupsd::~PrivateCupsd()
{
    Stop();
}

bool PrivateCupsd::MustRun()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

std::string PrivateCupsd::Start()
{
    const std::string cupsd = FindProgram("cupsd");
    if (cupsd.empty())
        return "the print service cupsd is not installed (Debian package cups)";
    if (FindProgram("lpadmin").empty())
        return "lpadmin is not installed (Debian package cups-client)";
    if (socket_.size() >= sizeof(sockaddr_un::sun_path))
        return "the temporary folder's path is too long for a socket: " + socket_;

    // The print service's helpers run as its own user when it runs as root: they must reach
    // the folder.
    chmod(dir_.Path().c_str(), 0755);
    for (const char* folder : {"root", "root/ppd", "root/ssl", "state", "cache", "spool", "spool/tmp", "log"})
        std::filesystem::create_directories(dir_.File(folder));
    chmod(dir_.File("spool").c_str(), 0711);
    chmod(dir_.File("spool/tmp").c_str(), 01777);
    WriteWholeFile(dir_.File("cupsd.conf"), "LogLevel warn\n"
                                            "Listen " +
                                                socket_ +
                                                "\n"
                                                "Browsing No\n"
                                                "WebInterface No\n"
                                                "DefaultAuthType None\n"
                                                "<Policy default>\n"
                                                "  <Limit All>\n"
                                                "    Order allow,deny\n"
                                                "    Allow all\n"
                                                "  </Limit>\n"
                                                "</Policy>\n"
                                                "<Location />\n"
                                                "  Order allow,deny\n"
                                                "  Allow all\n"
                                                "</Location>\n");
    WriteWholeFile(dir_.File("cups-files.conf"), "ServerRoot " + dir_.File("root") +
                                                     "\n"
                                                     "StateDir " +
                                                     dir_.File("state") +
                                                     "\n"
                                                     "CacheDir " +
                                                     dir_.File("cache") +
                                                     "\n"
                                                     "RequestRoot " +
                                                     dir_.File("spool") +
                                                     "\n"
                                                     "TempDir " +
                                                     dir_.File("spool/tmp") +
                                                     "\n"
                                                     "ErrorLog " +
                                                     dir_.File("log/error_log") +
                                                     "\n"
                                                     "AccessLog " +
                                                     dir_.File("log/access_log") +
                                                     "\n"
                                                     "PageLog " +
                                                     dir_.File("log/page_log") +
                                                     "\n"
                                                     "Printcap " +
                                                     dir_.File("state/printcap") +
                                                     "\n"
                                                     "FileDevice Yes\n");
    pid_ =
        Spawn(cupsd, {"-f", "-c", dir_.File("cupsd.conf"), "-s", dir_.File("cups-files.conf")}, dir_.File("log/cupsd"));
    if (pid_ < 0)
        return "cupsd could not be started: " + std::string(std::strerror(errno));
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!Answers(socket_)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return "cupsd ended at once: " + ReadLog(dir_.File("log/cupsd")) + ReadLog(dir_.File("log/error_log"));
        }
        if (std::chrono::steady_clock::now() > deadline) {
            Stop();
            return "cupsd did not answer on its socket within 10 seconds";
        }
        std::this_thread::sleep_for(20ms);
    }
    const char* old = std::getenv("CUPS_SERVER");
    hadServer_ = old != nullptr;
    oldServer_ = old ? old : "";
    setenv("CUPS_SERVER", socket_.c_str(), 1);
    cupsSetServer(socket_.c_str());
    return {};
}

void PrivateCupsd::Stop()
{
    if (pid_ < 0)
        return;
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) != pid_) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(10ms);
    }
    pid_ = -1;
    if (hadServer_)
        setenv("CUPS_SERVER", oldServer_.c_str(), 1);
    else
        unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

std::string PrivateCupsd::RunTool(const std::string& tool, const std::vector<std::string>& arguments) const
{
    const std::string program = FindProgram(tool);
    if (program.empty())
        return tool + " is not installed";
    std::vector<std::string> all{"-h", socket_};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const std::string log = dir_.File("log/" + tool);
    std::filesystem::remove(log);
    const pid_t pid = Spawn(program, all, log);
    if (pid < 0)
        return tool + " could not be started";
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    return tool + " failed: " + ReadLog(log);
}

std::string PrivateCupsd::AddQueue(const std::string& name, const std::string& ppdFile, bool isDefault)
{
    std::vector<std::string> arguments{"-p", name, "-E", "-v", "file://" + OutputFile(name), "-P", ppdFile};
    std::string error = RunTool("lpadmin", arguments);
    if (error.empty() && isDefault)
        error = MakeDefault(name);
    return error;
}

std::string PrivateCupsd::MakeDefault(const std::string& name)
{
    return RunTool("lpadmin", {"-d", name});
}

std::string PrivateCupsd::Reject(const std::string& name)
{
    return RunTool("cupsreject", {name});
}

std::string PrivateCupsd::Accept(const std::string& name)
{
    return RunTool("cupsaccept", {name});
}

std::vector<PrivateCupsd::Job> PrivateCupsd::Jobs() const
{
    std::vector<Job> jobs;
    http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 10000, nullptr);
    if (!http)
        return jobs;
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(http, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i)
        jobs.push_back(
            {list[i].id, list[i].dest ? list[i].dest : "", list[i].title ? list[i].title : "", int(list[i].state)});
    cupsFreeJobs(count, list);
    httpClose(http);
    std::sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
    return jobs;
}

std::map<std::string, std::string> PrivateCupsd::JobAttributes(int id) const
{
    std::map<std::string, std::string> attributes;
    http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1, 10000, nullptr);
    if (!http)
        return attributes;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t* response = cupsDoRequest(http, request, "/");
    for (ipp_attribute_t* attribute = response ? ippFirstAttribute(response) : nullptr; attribute;
         attribute = ippNextAttribute(response)) {
        const char* name = ippGetName(attribute);
        if (!name || ippGetGroupTag(attribute) != IPP_TAG_JOB)
            continue;
        char text[1024];
        ippAttributeString(attribute, text, sizeof(text));
        attributes[name] = text;
    }
    ippDelete(response);
    httpClose(http);
    return attributes;
}

int PrivateCupsd::WaitForJob(int id) const
{
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::map<std::string, std::string> attributes = JobAttributes(id);
        const auto state = attributes.find("job-state");
        if (state != attributes.end()) {
            // ippAttributeString gives the state's keyword.
            if (state->second == "completed")
                return IPP_JSTATE_COMPLETED;
            if (state->second == "canceled")
                return IPP_JSTATE_CANCELED;
            if (state->second == "aborted")
                return IPP_JSTATE_ABORTED;
        }
        std::this_thread::sleep_for(50ms);
    }
    return 0;
}
