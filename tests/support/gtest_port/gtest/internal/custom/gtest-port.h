// GoogleTest's port hook, found before the stock one. The programs are built
// with the win32 thread model, whose C++ library has no std::mutex or
// std::condition_variable; GoogleTest's own locks already use Win32 critical
// sections there, and this gives it the one class that needs the others.
#ifndef VANTRELL_GTEST_CUSTOM_PORT_H_
#define VANTRELL_GTEST_CUSTOM_PORT_H_

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets a controller thread release threads that wait for it.
class Notification {
public:
    Notification() : m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() {
        if (m_event != nullptr) CloseHandle(m_event);
    }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(m_event); }
    void WaitForNotification() { WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};

}  // namespace internal
}  // namespace testing

#endif  // VANTRELL_GTEST_CUSTOM_PORT_H_
