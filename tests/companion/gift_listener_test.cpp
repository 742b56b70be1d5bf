// The events port, driven over loopback with a bounded number of connections.
#include "companion/plauditor/GiftListener.h"
#include "support/LoopbackHttp.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Client {
    win::SocketHandle s;

public:
    explicit Client(std::uint16_t port) : s(ConnectLoopback(port)), connected(static_cast<bool>(s)) {}

    const bool connected;
    bool Send(const std::string &bytes) { return send(s.get(), bytes.data(), int(bytes.size()), 0) == int(bytes.size()); }
    // Whether the other end closed the connection within timeoutMs.
    bool ClosedByListener(unsigned timeoutMs)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s.get(), &readable);
        timeval timeout{0, static_cast<long>(timeoutMs) * 1000};
        char byte = 0;
        return select(0, &readable, nullptr, nullptr, &timeout) == 1 && recv(s.get(), &byte, 1, 0) <= 0;
    }
};

// Polls until `want` lines have arrived or about two seconds passed; the notes go to notes.
std::vector<std::string> PollFor(GiftListener &listener, std::size_t want, std::vector<std::string> &notes)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 200 && lines.size() < want; ++i) {
        auto news = listener.Poll(10);
        lines.insert(lines.end(), news.lines.begin(), news.lines.end());
        notes.insert(notes.end(), news.notes.begin(), news.notes.end());
    }
    return lines;
}

class Listener : public ::testing::Test {
protected:
    win::WinsockSession winsock;
    std::uint16_t port = FreeLoopbackPort();
};

} // namespace

// Twenty senders that connect and say nothing hold more than every slot; the next sender
// still gets its event through, and the one idle longest makes room for it.
TEST_F(Listener, IdleConnectionsNeverKeepANewSenderOut)
{
    int error = 0;
    auto listener = GiftListener::Start(port, error);
    ASSERT_TRUE(listener) << error;
    std::vector<std::unique_ptr<Client>> idle;
    std::vector<std::string> notes;
    for (int i = 0; i < 20; ++i) {
        idle.push_back(std::make_unique<Client>(port));
        ASSERT_TRUE(idle.back()->connected);
        for (int poll = 0; poll < 3; ++poll)  // one accept a poll, and nothing to read
            listener->Poll(10);
    }
    Client sender(port);
    ASSERT_TRUE(sender.connected);
    ASSERT_TRUE(sender.Send("{\"user\": \"late\"}\n"));
    EXPECT_EQ(PollFor(*listener, 1, notes), std::vector<std::string>{"{\"user\": \"late\"}"});
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "refused a connection: too many open"), 0);
    // Five went to let the rest in: those idle longest, the first to connect.
    EXPECT_TRUE(idle[0]->ClosedByListener(500));
    EXPECT_TRUE(idle[4]->ClosedByListener(500));
    EXPECT_FALSE(idle[5]->ClosedByListener(100));
}

// A connection that stays silent is closed once its time is up; one that speaks is kept.
TEST_F(Listener, SilentConnectionsTimeOut)
{
    int error = 0;
    auto listener = GiftListener::Start(0, error, 300);
    ASSERT_TRUE(listener) << error;
    ASSERT_NE(listener->Port(), 0);
    Client silent(listener->Port()), talking(listener->Port());
    ASSERT_TRUE(silent.connected && talking.connected);
    std::vector<std::string> notes;
    for (int i = 0; i < 10; ++i) {  // about a second, with a line every 100 ms
        ASSERT_TRUE(talking.Send("{}\n"));
        for (int poll = 0; poll < 5; ++poll) {
            const auto news = listener->Poll(20);
            notes.insert(notes.end(), news.notes.begin(), news.notes.end());
        }
    }
    EXPECT_TRUE(silent.ClosedByListener(100));
    EXPECT_FALSE(talking.ClosedByListener(100));
    EXPECT_EQ(notes, std::vector<std::string>{"closed 1 connection silent for 300 ms"});
}
