#pragma once
// An animation written by ffmpeg: frames go to it over a loopback TCP connection it opens to
// us, and its progress report comes back over a second one. Sockets rather than pipes,
// because under Wine a native ffmpeg receives only real file descriptors, and Wine's pipes
// have none (its sockets do); that also keeps one way of working on Windows and under Wine.
#include "headless/AnimationArguments.h"

#include "win/Socket.h"

#include <string>

class FfmpegProcess {
    win::WinsockSession winsock;
    win::SocketHandle input;
    win::SocketHandle progress;
    win::UniqueHandle process;  // none when Wine started a native program
    std::string report;         // what ffmpeg reported so far
    size_t frameBytes = 0;
    std::wstring failure;

    void Drain();
    void Close();

public:
    FfmpegProcess();
    ~FfmpegProcess();
    FfmpegProcess(const FfmpegProcess &) = delete;
    FfmpegProcess &operator=(const FfmpegProcess &) = delete;

    // Starts program (the ffmpeg to run) for request, whose output is a path of this process:
    // for a native program under Wine (a path from "/") it is handed over as the Unix path.
    // False, with Error() set, when ffmpeg does not start or does not connect within a while.
    bool Start(const std::wstring &program, AnimationRequest request);
    // One frame of the request's size, straight-alpha BGRA. False once anything failed.
    bool AddFrame(const BYTE *bgra);
    // Ends the input and waits for ffmpeg to finish the file. False, with Error() set, unless
    // ffmpeg reported that it finished.
    bool Finish();
    const std::wstring &Error() const { return failure; }
};

// The ffmpeg to run when none is named: Debian's native one under Wine, else ffmpeg.exe from
// the search path.
std::wstring DefaultFfmpegProgram();
