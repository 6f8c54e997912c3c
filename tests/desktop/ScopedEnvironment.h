#pragma once

#include <QByteArray>
#include <map>
#include <string>

// Sets environment variables for one scope and puts the old values back.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name.c_str());
            else
                qputenv(name.c_str(), value);
        }
    }

    void Set(const char* name, const QByteArray& value) {
        saved_.try_emplace(name, qgetenv(name));
        qputenv(name, value);
    }

private:
    std::map<std::string, QByteArray> saved_;
};
