#pragma once
// A loopback proxy in front of a database server that can stop answering: after Freeze()
// it forwards nothing either way but keeps every socket open, as a paused server or a
// link that keeps its connection does (keepalives are answered by the proxy's side).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QString>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/db.h"

namespace orvtest {

class FreezingProxy {
 public:
  // In front of the PostgreSQL server a connection text names.
  explicit FreezingProxy(const QString &connectionText) {
    const orv::db::ConnectionText ct = orv::db::ParseConnectionText(connectionText);
    upstreamPort_ = ct.port() > 0 ? ct.port() : 5432;
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listen_, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::listen(listen_, 8);
    socklen_t len = sizeof a;
    ::getsockname(listen_, reinterpret_cast<sockaddr *>(&a), &len);
    port_ = ntohs(a.sin_port);
    text_ = connectionText;
    text_.replace(QStringLiteral("server=") + ct.server,
                  QStringLiteral("server=127.0.0.1,%1").arg(port_));
    thread_ = std::thread([this] { Run(); });
  }
  ~FreezingProxy() {
    stop_ = true;
    thread_.join();
    for (const Pair &p : pairs_) {
      ::close(p.client);
      ::close(p.server);
    }
    ::close(listen_);
  }
  FreezingProxy(const FreezingProxy &) = delete;
  FreezingProxy &operator=(const FreezingProxy &) = delete;

  // The connection text that goes through the proxy.
  QString Text() const { return text_; }
  void Freeze() { frozen_ = true; }

 private:
  struct Pair {
    int client, server;
    bool done = false;  // one side closed: the other was told, nothing more to forward
  };

  void Run() {
    char buf[16384];
    while (!stop_) {
      std::vector<pollfd> fds{{listen_, POLLIN, 0}};
      if (!frozen_)
        for (const Pair &p : pairs_) {
          fds.push_back({p.done ? -1 : p.client, POLLIN, 0});
          fds.push_back({p.done ? -1 : p.server, POLLIN, 0});
        }
      if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
      if (fds[0].revents & POLLIN) Accept();
      for (size_t i = 1; i < fds.size() && !frozen_; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        Pair &p = pairs_[(i - 1) / 2];
        if (p.done) continue;
        const int from = fds[i].fd, to = from == p.client ? p.server : p.client;
        const ssize_t n = ::read(from, buf, sizeof buf);
        if (n <= 0) {
          ::shutdown(to, SHUT_WR);
          p.done = true;
          continue;
        }
        for (ssize_t done = 0; done < n;) {
          const ssize_t w = ::write(to, buf + done, size_t(n - done));
          if (w <= 0) break;
          done += w;
        }
      }
    }
  }

  void Accept() {
    const int c = ::accept(listen_, nullptr, nullptr);
    if (c < 0) return;
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(upstreamPort_));
    if (::connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
      ::close(c);
      ::close(s);
      return;
    }
    pairs_.push_back({c, s, false});
  }

  int listen_ = -1, port_ = 0, upstreamPort_ = 0;
  QString text_;
  std::vector<Pair> pairs_;  // the proxy's thread only, until it ends
  std::atomic<bool> stop_{false}, frozen_{false};
  std::thread thread_;
};

}  // namespace orvtest
