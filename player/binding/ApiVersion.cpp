#include "player/binding/ApiVersion.h"

#include "player/binding/BindingStrings.h"
#include "zelkor.h"

bool ApiVersionAccepted(uint32_t word) {
    return ZK_VERSION_MAJOR(word) == ExpectedApiMajor && ZK_VERSION_MINOR(word) == ExpectedApiMinor;
}

QString ApiMismatchText(uint32_t word) {
    return QString::fromUtf8(BindingStrings::ApiMismatch) + QString::number(ExpectedApiMajor) + "," +
           QString::number(ExpectedApiMinor) + QString::fromUtf8(BindingStrings::ApiMismatchGot) +
           QString::number(ZK_VERSION_MAJOR(word)) + "," + QString::number(ZK_VERSION_MINOR(word));
}
