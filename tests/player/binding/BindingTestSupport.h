#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <string>

// A list of texts as one readable line, for comparisons in tests.
std::string Joined(const QStringList& texts);

// Sets or unsets an environment variable for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value);
    ScopedEnvironment(const char* name); // unsets it
    ~ScopedEnvironment();

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// Runs action and closes every message box it raises; returns their texts.
QStringList CloseMessageBoxesDuring(const std::function<void()>& action);

// Processes events until condition holds; false when it still does not after
// a generous limit (the limit only guards against a hang).
bool ProcessEventsUntil(const std::function<bool()>& condition);

// The entries of a directory, without "." and "..".
QStringList DirectoryEntries(const QString& path);
