// One running program per library. The first start takes a lock on a file in
// the library root (flock: the system lets go of it when the program ends,
// however it ends, so a crash never locks the user out) and listens on a
// local socket; a later start
// on the same library finds the lock held, asks the running program to bring
// its window to the front, and ends.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QLocalServer;

class SingleInstance final : public QObject {
public:
    explicit SingleInstance(std::string libraryRoot);
    ~SingleInstance() override;

    enum class Start {
        First,    // this process holds the library (or none can: the start-up reports why)
        Elsewhere // another process holds it and was asked to come to the front
    };
    // Takes the lock, or reaches the program that holds it. Waits at most a
    // few seconds for a program that is itself just starting.
    Start start();

    // What to do when a later start asks for the window.
    void setShowRequest(std::function<void()> show) { show_ = std::move(show); }

    // The local socket's name for a library: one per library and user.
    static QString serverName(const std::string& libraryRoot);

private:
    void listen();
    bool tryLock();

    std::string root_;
    int lock_ = -1;
    QLocalServer* server_ = nullptr;
    std::function<void()> show_;
};
