// Runs a test's body in a time zone of its choosing: the TZ environment
// variable is set for the object's life and restored after it.
#pragma once

#include <wx/utils.h>

#include <cstdlib>
#include <ctime>
#include <string>

class WithTimeZone {
public:
    explicit WithTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_had = true;
            m_old = old;
        }
        wxSetEnv("TZ", zone);
        tzset();
    }
    ~WithTimeZone()
    {
        if (m_had)
            wxSetEnv("TZ", m_old);
        else
            wxUnsetEnv("TZ");
        tzset();
    }
    WithTimeZone(const WithTimeZone&) = delete;
    WithTimeZone& operator=(const WithTimeZone&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};
