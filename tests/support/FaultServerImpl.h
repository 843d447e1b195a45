#pragma once

#include "FaultServer.h"
#include "SocketIo.h"

#include <atomic>
#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace faultserver {

class FaultServer::Impl {
public:
    ~Impl() { Stop(); }

    bool Start(std::string body);
    void Stop();
    void RefuseConnections();
    bool AcceptConnections();
    void SetGetBarrier(int count, int timeoutMs);
    bool WaitForRequests(std::size_t count, int timeoutMs) const;
    void AddRule(Rule rule);
    void ClearRules();

    template <typename T>
    T Read(T Impl::*field) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return this->*field;
    }

    std::atomic<std::uint16_t> port_{0};
    // Read through Read(); guarded by mutex_.
    std::vector<RecordedRequest> requests_;
    int heads_ = 0;
    int gets_ = 0;
    int connections_ = 0;
    int peakGets_ = 0;
    int peakRanged_ = 0;
    bool barrierReached_ = false;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    // Lifecycle and accepting (FaultServer.cpp).
    bool Listen(std::uint16_t port);
    void StopAccepting();
    void AcceptLoop();
    void ReapWorkers(bool all);

    // One connection (ServeConnection.cpp).
    void Serve(Socket connection);
    RecordedRequest Register(HttpRequest request, Action& action);
    void Unregister(const RecordedRequest& request);
    void WaitAtBarrier();
    bool Transmit(const EventSocket& s, const std::string& head, std::string_view body, std::uint64_t extraBytes,
                  const Action& action);
    void CloseGracefully(const EventSocket& s);

    std::string body_;
    std::unique_ptr<WinsockSession> winsock_;
    bool running_ = false;
    std::mutex controlMutex_;  // Start, Stop, RefuseConnections, AcceptConnections

    std::unique_ptr<EventSocket> listener_;
    std::thread acceptThread_;
    ManualEvent stopAccepting_;
    ManualEvent stopEvent_;
    std::atomic<bool> stopping_{false};
    std::mutex workersMutex_;
    std::list<Worker> workers_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    RuleBook rules_;
    int openGets_ = 0;
    int openRanged_ = 0;
    int barrierCount_ = 0;
    int barrierTimeoutMs_ = 0;
    bool barrierOpen_ = true;
    std::optional<Clock::time_point> barrierDeadline_;
};

}  // namespace faultserver
