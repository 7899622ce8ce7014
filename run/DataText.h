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
    // Makes the pages of [offset, offset + size) present before they are written, in one call
    // into the system instead of a fault per page: on a virtual machine that halves the cost of
    // filling a large text whose memory could not get huge pages. A hint: where the system
    // cannot, the pages come on first write as usual.
    void Populate(std::size_t offset, std::size_t size) noexcept;
    std::size_t Size() const noexcept { return m_size; }
    std::string_view View() const noexcept { return {m_bytes, m_size}; }
    operator std::string_view() const noexcept { return View(); }

private:
    void Release() noexcept;

    char* m_bytes = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mapped = 0;  // bytes mapped for a large text; 0 for one on the heap
};

// A file is read in pieces of this many bytes. One longer than a piece is read on a worker thread,
// so that however long the system takes for a piece, the calling thread goes on handling the
// windows' events.
inline constexpr std::size_t kReadPiece = std::size_t{256} << 10;

// Reads the regular file at path whole, as binary bytes, and closes it again. whileReading, where
// given, is called every few milliseconds while a file longer than one piece is read, on the
// calling thread; a file of one piece or less is read without calling it. Whatever it throws
// leaves the read with the file closed and the memory given back.
// Throws RunError: 53 or 76 when it is missing, 70 when it may not be read, 75 when it is a folder,
// FIFO, socket or device (refused at once, never waited on), 62 when it shrinks while being read,
// 57 on a read error, 7 when its length is more than the memory the program can get.
DataText ReadDataText(const std::string& path, const std::function<void()>& whileReading = {});

}  // namespace varneska
