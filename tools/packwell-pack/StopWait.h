#pragma once
// The serve command runs until Ctrl+C (or a termination request) and then stops the server
// itself, so its last line is still printed.

namespace packwell::pack {

class StopWait {
public:
    // Takes the stop requests over; create it before any other thread exists, so that on
    // POSIX none of them is interrupted instead.
    StopWait();
    ~StopWait();
    StopWait(const StopWait&) = delete;
    StopWait& operator=(const StopWait&) = delete;

    // Returns once a stop was asked for.
    void Wait();
};

}  // namespace packwell::pack
