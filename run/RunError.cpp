#include "run/RunError.h"

namespace varneska {

namespace {

std::string Describe(RunError::Code code, const std::string& path) {
    std::string text = RunError::Words(code);
    if (!path.empty()) {
        text += ": ";
        text += path;
    }
    return text;
}

}  // namespace

RunError::RunError(Code code, const std::string& path)
    : std::runtime_error(Describe(code, path)), m_code(code), m_path(path) {}

const char* RunError::Words(Code code) noexcept {
    switch (code) {
        case Code::OutOfMemory:
            return "Out of memory";
        case Code::FileNotFound:
            return "File not found";
        case Code::DeviceIo:
            return "Device I/O error";
        case Code::InputPastEnd:
            return "Input past end of file";
        case Code::PermissionDenied:
            return "Permission denied";
        case Code::PathFileAccess:
            return "Path/File access error";
        case Code::PathNotFound:
            return "Path not found";
        case Code::Internal:
            return "Internal error";
    }
    return "Unknown error";
}

}  // namespace varneska
