#pragma once
// The status log: an append-only list of lines written for the player. Appends may come
// from any thread; each entry's lines stay together and one thread's entries keep their order.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace packwell {

class StatusLog {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    // Called after every append with the lines it added, on the appending thread, while the
    // log's order is held: a window queues them to its own thread.
    using Listener = std::function<void(const std::vector<std::string>& newLines)>;

    StatusLog();

    // The four forms. IsHead 1 adds the separator line " " before the entry when the log
    // is not empty; NdTime prefixes "[H:mm:ss] ". An entry may hold CR LF line breaks.
    void Console(std::uint8_t IsHead, bool NdTime, const std::string& outt);
    void Console(std::uint8_t IsHead, const std::string& outt) { Console(IsHead, true, outt); }
    void Console(bool NdTime, const std::string& outt) { Console(std::uint8_t{0}, NdTime, outt); }
    void Console(const std::string& outt) { Console(std::uint8_t{0}, true, outt); }
    // Literal 0/1 would be ambiguous between the uint8_t and bool forms; these keep calls
    // written as Console(1, text) meaning IsHead.
    void Console(int IsHead, const std::string& outt) { Console(static_cast<std::uint8_t>(IsHead), true, outt); }
    void Console(int IsHead, bool NdTime, const std::string& outt) { Console(static_cast<std::uint8_t>(IsHead), NdTime, outt); }

    std::vector<std::string> Lines() const;
    std::size_t LineCount() const;
    void SetListener(Listener listener);
    void SetClock(Clock clock);  // tests fix the time

    // Every line followed by CR LF, UTF-8, into "Packwell - Статус.txt" in the current
    // directory (replacing it); returns the file's path. Throws std::system_error on failure.
    std::filesystem::path Export() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    Listener listener_;
    Clock clock_;
};

// "H:mm:ss", the long time format used by the log and the run summary.
std::string FormatLongTime(int hours, int minutes, int seconds);

}  // namespace packwell
