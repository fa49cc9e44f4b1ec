// sync_client.cpp -- the sync editor's protocol over a non-blocking socket.
// The demo greets with "hello, synctracker!" and the editor answers "hello,
// demo!"; then each command is a byte and a big-endian payload:
//   0 set key     track u32, row u32, value (a float's bits) u32, interpolation u8
//   1 delete key  track u32, row u32
//   2 get track   name length u32, name (the demo's)
//   3 set row     row u32 (both ways)
//   4 pause       u8
//   5 save tracks (nothing to do: the editor saves its file itself)
// A track's number is its place in the order of this connection's get-track
// requests. Reads may split a command or hold several; writes the socket
// cannot take now wait for the next frame.
#include "tools/live/sync_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/track.h"

namespace {

using Clock = std::chrono::steady_clock;

const char kGreeting[] = "hello, synctracker!";
const char kAnswer[] = "hello, demo!";
constexpr size_t kAnswerBytes = sizeof kAnswer - 1;
constexpr auto kRetry = std::chrono::milliseconds(500);
constexpr auto kConnectTime = std::chrono::seconds(2); // then the attempt is given up

enum { kSetKey = 0, kDeleteKey = 1, kGetTrack = 2, kSetRow = 3, kPause = 4, kSave = 5 };

enum class State { kIdle, kConnecting, kGreeting, kConnected };

std::string host;
uint16_t port;
sockaddr_in address;
bool addressKnown;
State state = State::kIdle;
int socketFd = -1;
Clock::time_point nextTry, tried;
std::string in, out;
size_t requested;             // tracks asked of the editor on this connection
std::vector<bool> fromEditor; // the editor has sent keys for track i on this connection

void Close(bool lost) {
    if (socketFd >= 0) close(socketFd);
    socketFd = -1;
    if (lost && state == State::kConnected)
        std::fprintf(stderr,
                     "live: lost the sync editor at %s:%u; the demo runs on with its last keys\n",
                     host.c_str(), port);
    state = State::kIdle;
    nextTry = Clock::now() + kRetry;
    in.clear();
    out.clear();
}

void PutU32(uint32_t value) {
    const uint32_t big = htonl(value);
    out.append(reinterpret_cast<const char*>(&big), 4);
}

uint32_t GetU32(size_t at) {
    uint32_t big;
    std::memcpy(&big, in.data() + at, 4);
    return ntohl(big);
}

void Connect() {
    socketFd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socketFd < 0) return Close(false);
    const int one = 1;
    setsockopt(socketFd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS)
        return Close(false);
    state = State::kConnecting;
    tried = Clock::now();
}

// The connection made (or refused), the greeting goes out.
void Connecting() {
    pollfd p{socketFd, POLLOUT, 0};
    if (poll(&p, 1, 0) <= 0) {
        if (Clock::now() - tried > kConnectTime) Close(false);
        return;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(socketFd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
        return Close(false);
    out.assign(kGreeting, sizeof kGreeting - 1);
    state = State::kGreeting;
}

void RequestNewTracks() {
    const std::vector<FFX_Track*>& asked = TRK_Asked();
    for (; requested < asked.size(); ++requested) {
        out += static_cast<char>(kGetTrack);
        PutU32(static_cast<uint32_t>(asked[requested]->name.size()));
        out += asked[requested]->name;
    }
    fromEditor.resize(requested, false);
}

// The editor's key for track `index`: the first of this connection replaces
// the keys the track had (the file's).
FFX_Track* EditorTrack(uint32_t index) {
    if (index >= requested) return nullptr;
    FFX_Track* track = TRK_Asked()[index];
    if (!fromEditor[index]) {
        track->keys.clear();
        fromEditor[index] = true;
    }
    return track;
}

// Takes the whole commands read so far; false on one the protocol lacks.
bool TakeCommands(SyncRequests& requests) {
    size_t at = 0;
    for (;;) {
        if (at == in.size()) break;
        const uint8_t command = static_cast<uint8_t>(in[at]);
        static const int kPayload[] = {13, 8, -1, 4, 1, 0};
        if (command >= sizeof kPayload / sizeof kPayload[0] || kPayload[command] < 0) {
            std::fprintf(stderr, "live: the sync editor sent command %u, which it never sends\n",
                         command);
            return false;
        }
        if (in.size() - at - 1 < static_cast<size_t>(kPayload[command])) break;
        const size_t p = at + 1;
        if (command == kSetKey) {
            const uint32_t bits = GetU32(p + 8);
            const uint8_t interpolation = static_cast<uint8_t>(in[p + 12]);
            float value;
            std::memcpy(&value, &bits, 4);
            if (interpolation <= TRK_RAMP)
                if (FFX_Track* track = EditorTrack(GetU32(p)))
                    TRK_SetKey(track, TRK_Key{GetU32(p + 4), value,
                                              static_cast<TRK_Interpolation>(interpolation)});
        } else if (command == kDeleteKey) {
            if (FFX_Track* track = EditorTrack(GetU32(p))) TRK_DeleteKey(track, GetU32(p + 4));
        } else if (command == kSetRow) {
            requests.seek = true;
            requests.row = GetU32(p);
        } else if (command == kPause) {
            requests.pause = true;
            requests.paused = in[p] != 0;
        }
        at = p + kPayload[command];
    }
    in.erase(0, at);
    return true;
}

// Reads what has come; false when the editor has gone.
bool Read() {
    char chunk[4096];
    for (;;) {
        const ssize_t n = recv(socketFd, chunk, sizeof chunk, 0);
        if (n > 0) {
            in.append(chunk, static_cast<size_t>(n));
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    }
}

// Writes what the socket takes now; false when the editor has gone.
bool Write() {
    while (!out.empty()) {
        const ssize_t n = send(socketFd, out.data(), out.size(), MSG_NOSIGNAL);
        if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        out.erase(0, static_cast<size_t>(n));
    }
    return true;
}

} // namespace

void SYN_Start(const std::string& editorHost, uint16_t editorPort) {
    host = editorHost;
    port = editorPort;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    addressKnown = getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found;
    if (addressKnown) {
        address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
        address.sin_port = htons(port);
        freeaddrinfo(found);
    } else {
        std::fprintf(stderr, "live: no address for the sync editor's host %s\n", host.c_str());
    }
    nextTry = Clock::now();
}

SyncRequests SYN_Poll(void) {
    SyncRequests requests;
    if (!addressKnown) return requests;
    if (state == State::kIdle && Clock::now() >= nextTry) Connect();
    if (state == State::kConnecting) Connecting();
    if (state == State::kGreeting || state == State::kConnected) {
        if (!Read()) {
            Close(true);
            return requests;
        }
    }
    if (state == State::kGreeting && in.size() >= kAnswerBytes) {
        if (in.compare(0, kAnswerBytes, kAnswer) != 0) {
            std::fprintf(stderr, "live: %s:%u did not answer as a sync editor\n", host.c_str(),
                         port);
            Close(false);
            return requests;
        }
        in.erase(0, kAnswerBytes);
        state = State::kConnected;
        requested = 0;
        fromEditor.clear();
        std::fprintf(stderr, "live: connected to the sync editor at %s:%u\n", host.c_str(), port);
    }
    if (state == State::kConnected) {
        RequestNewTracks();
        if (!TakeCommands(requests)) {
            Close(true);
            return requests;
        }
    }
    if ((state == State::kGreeting || state == State::kConnected) && !Write()) Close(true);
    return requests;
}

void SYN_SendRow(uint32_t row) {
    if (state != State::kConnected) return;
    out += static_cast<char>(kSetRow);
    PutU32(row);
    if (!Write()) Close(true);
}

bool SYN_Connected(void) {
    return state == State::kConnected;
}
