#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace fileio {

namespace {

std::string Bytes(std::uint64_t bytes)
{
    const std::uint64_t kKilo = 1024, kMega = 1024 * 1024;
    if (bytes >= kMega && bytes % kMega == 0)
        return std::to_string(bytes / kMega) + " MB";
    if (bytes >= kKilo && bytes % kKilo == 0)
        return std::to_string(bytes / kKilo) + " KB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

Outcome Outcome::FromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Because(Refusal::Missing);
    case ELOOP:
        return Because(Refusal::Link);
    case ENXIO:  // a pipe without a reader, a device without its driver
        return Because(Refusal::Device);
    default:
        return Outcome{Refusal::Failed, error, 0};
    }
}

std::string Reason(const Outcome& outcome)
{
    switch (outcome.refusal) {
    case Refusal::None: return "done";
    case Refusal::Missing: return "missing";
    case Refusal::Link: return "a symbolic link, not followed";
    case Refusal::Folder: return "a folder, not a file";
    case Refusal::Pipe: return "a named pipe, not a file";
    case Refusal::Device: return "a device, not a file";
    case Refusal::Socket: return "a socket, not a file";
    case Refusal::NotAFolder: return "not a folder";
    case Refusal::Swapped: return "replaced by another file while it was opened";
    case Refusal::TooLarge: return "larger than " + Bytes(outcome.limit);
    case Refusal::TooManyEntries: return "more than " + std::to_string(outcome.limit) + " entries";
    case Refusal::Failed: return std::strerror(outcome.error);
    case Refusal::DamagedLines:
        return std::to_string(outcome.error) + (outcome.error == 1 ? " line" : " lines") + " longer than " +
               Bytes(outcome.limit) + " skipped";
    }
    return "refused";
}

Refusal RefusalForKind(mode_t mode)
{
    if (S_ISREG(mode)) return Refusal::None;
    if (S_ISLNK(mode)) return Refusal::Link;
    if (S_ISDIR(mode)) return Refusal::Folder;
    if (S_ISFIFO(mode)) return Refusal::Pipe;
    if (S_ISSOCK(mode)) return Refusal::Socket;
    return Refusal::Device;
}

bool Reporter::Report(const std::string& path, const std::string& notDone, const Outcome& outcome)
{
    if (outcome.ok() && said_.empty()) return false;  // the usual case, at every refresh: nothing to forget
    const std::pair<std::string, std::string> key(path, notDone);
    if (outcome.ok()) {
        said_.erase(key);
        return false;
    }
    if (outcome.refusal == Refusal::Missing)
        return false;
    const std::pair<Refusal, int> cause(outcome.refusal, outcome.error);
    const auto said = said_.find(key);
    if (said != said_.end() && said->second == cause)
        return false;
    said_[key] = cause;
    if (outcome.refusal == Refusal::DamagedLines)
        std::cout << path << ": " << Reason(outcome) << std::endl;
    else
        std::cout << path << ": " << notDone << ": " << Reason(outcome) << std::endl;
    return true;
}

namespace {

Reporter& ProcessReporter()
{
    static Reporter* reporter = new Reporter;  // lives as long as the process
    return *reporter;
}

}  // namespace

bool Report(const std::string& path, const std::string& notDone, const Outcome& outcome)
{
    return ProcessReporter().Report(path, notDone, outcome);
}

void ForgetReported() { ProcessReporter().Forget(); }

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace fileio
