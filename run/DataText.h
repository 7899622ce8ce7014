#pragma once
// DataText: a data file's whole content, one character per byte.
//
// PlotRun reads the file once with ReadDataText, before either scan starts; no file stays open
// during a run. Both scans then walk the same bytes as a string_view. Positions into the text are
// counted from 1 by the scanner.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace varneska {

class DataText {
public:
    DataText() noexcept = default;
    // Room for size characters, left uninitialised: the read fills every one. Large texts get
    // huge pages where the system offers them, which makes reading a big file several times
    // faster than filling small pages one fault at a time. Throws std::bad_alloc.
    explicit DataText(std::size_t size);
    DataText(DataText&& other) noexcept;
    DataText& operator=(DataText&& other) noexcept;
    DataText(const DataText&) = delete;
    DataText& operator=(const DataText&) = delete;
    ~DataText();

    char* Data() noexcept { return m_bytes; }
    std::size_t Size() const noexcept { return m_size; }
    std::string_view View() const noexcept { return {m_bytes, m_size}; }
    operator std::string_view() const noexcept { return View(); }

private:
    void Release() noexcept;

    char* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mapped = 0;  // bytes mapped for a large text; 0 for one on the heap
};

// A file is read in pieces of this many bytes. Between two pieces the reader hands control to its
// caller, so the windows stay live while a large file comes off a slow disk: at 50 MB/s a piece
// takes 5 ms, about the interval at which a run lets the windows handle their events.
inline constexpr std::size_t kReadPiece = std::size_t{256} << 10;

// Reads the regular file at path whole, as binary bytes, and closes it again. betweenPieces, where
// given, is called after every piece but the last, so a file of one piece or less calls it never;
// whatever it throws leaves the read with the file closed and the memory given back.
// Throws RunError: 53 or 76 when it is missing, 70 when it may not be read, 75 when it is a folder,
// FIFO, socket or device (refused at once, never waited on), 62 when it shrinks while being read,
// 57 on a read error, 7 when its length is more than the memory the program can get.
DataText ReadDataText(const std::string& path, const std::function<void()>& betweenPieces = {});

}  // namespace varneska
