#pragma once
// RunError: the one failure a plot run (or a browser change) reports.
//
// Thrown by the file read and by the folder and file lists; caught only at the event-handler
// boundary of the main window, which shows the number and the description to the user. The passes
// themselves never catch it.

#include <stdexcept>
#include <string>

namespace varneska {

class RunError : public std::runtime_error {
public:
    enum class Code : int {
        OutOfMemory = 7,        // the text or a listing does not fit in memory
        Internal = 51,          // anything else that went wrong, with what the library said
        FileNotFound = 53,      // the folder exists, the named file does not
        DeviceIo = 57,          // the device failed, or holds no medium
        InputPastEnd = 62,      // the file shrank between taking its length and reading it
        PermissionDenied = 70,  // the file or folder may not be read by this user
        PathFileAccess = 75,  // a folder, FIFO, socket or device where a regular file was expected
        PathNotFound = 76,    // the folder, or a folder on the way to it, does not exist
    };

    // The description is the code's plain words followed by the path it concerns, if any.
    RunError(Code code, const std::string& path);

    // The error for a failed system call on path, from its errno. The file read and the folder
    // listings both come here, so a path fails with the same number wherever it is met. A missing
    // entry is 76; the file read tells a missing file (53) from a missing folder itself.
    static RunError FromErrno(int error, const std::string& path);
    static Code CodeOfErrno(int error) noexcept;

    Code GetCode() const noexcept { return m_code; }
    int Number() const noexcept { return static_cast<int>(m_code); }
    const std::string& Path() const noexcept { return m_path; }

    // The plain words of a code, without a path: "File not found".
    static const char* Words(Code code) noexcept;

private:
    Code m_code;
    std::string m_path;
};

}  // namespace varneska
