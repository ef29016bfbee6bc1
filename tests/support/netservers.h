#pragma once
// The loopback HTTP and FTP servers of tests/audio/netservers.py, started
// once for a test program and killed at its end. A test program that
// includes this header gets them; VELMORO_NETSERVERS names the script and
// VELMORO_FIXTURE_DIR the folder it serves.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace velmoro::test {

class NetServers : public testing::Environment {
public:
    // The file the HTTP paths serve, in the fixture folder.
    static constexpr const char* kServedFile = "sine1k-v1-44100-cbr256.mp3";

    void SetUp() override
    {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            const std::string file = std::string(VELMORO_FIXTURE_DIR "/") + kServedFile;
            execl("/usr/bin/python3", "python3", VELMORO_NETSERVERS, file.c_str(), VELMORO_FIXTURE_DIR,
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        std::FILE* lines = fdopen(out[0], "r");
        ASSERT_TRUE(lines);
        ASSERT_EQ(std::fscanf(lines, "HTTP %d FTP %d", &httpPort, &ftpPort), 2)
            << "the server script did not start";
        std::fclose(lines);
    }
    void TearDown() override
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    static inline int httpPort = 0;
    static inline int ftpPort = 0;

    static std::string Http(const char* path)
    {
        return "http://127.0.0.1:" + std::to_string(httpPort) + path;
    }

private:
    pid_t m_pid = -1;
};

[[maybe_unused]] inline testing::Environment* const kNetServers =
    testing::AddGlobalTestEnvironment(new NetServers);

} // namespace velmoro::test
