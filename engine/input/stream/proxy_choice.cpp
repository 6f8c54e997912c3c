#include "input/stream/proxy_choice.h"

#include <algorithm>
#include <cctype>

namespace zk::stream {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool ends_with_text(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// An entry without its port ("host:8080", "[::1]:8080"), brackets dropped.
std::string_view entry_host(std::string_view entry) {
    if (entry.substr(0, 1) == "[") return entry.substr(1, entry.find(']') - 1);
    if (std::count(entry.begin(), entry.end(), ':') == 1) return entry.substr(0, entry.find(':'));
    return entry;
}

} // namespace

bool parse_proxy_text(std::string_view text, HttpProxy& proxy) {
    text = trimmed(text);
    if (text.empty()) return false;
    if (const size_t scheme = text.find("://"); scheme != std::string_view::npos) {
        if (!ends_with_text(text.substr(0, scheme), "http") || scheme != 4) return false;
        text.remove_prefix(scheme + 3);
    }
    text = text.substr(0, text.find('/'));
    if (const size_t at = text.rfind('@'); at != std::string_view::npos) text.remove_prefix(at + 1);
    StreamUrl url;
    if (parse_stream_url("http://" + std::string(text) + "/", url) != 0) return false;
    proxy.host = url.host;
    proxy.port = url.port;
    return true;
}

bool bypasses_proxy(std::string_view no_proxy, std::string_view host) {
    while (!no_proxy.empty()) {
        const size_t comma = no_proxy.find(',');
        std::string_view entry = trimmed(no_proxy.substr(0, comma));
        no_proxy = comma == std::string_view::npos ? std::string_view() : no_proxy.substr(comma + 1);
        if (entry == "*") return true;
        entry = entry_host(entry);
        if (entry.substr(0, 1) == ".") entry.remove_prefix(1);
        if (entry.empty()) continue;
        if (ends_with_text(host, entry) && (host.size() == entry.size() || host[host.size() - entry.size() - 1] == '.'))
            return true;
    }
    return false;
}

const HttpProxy* proxy_for(const ProxySettings& proxies, const StreamUrl& url) {
    if (!url.is_http()) return nullptr;
    if (!proxies.configured.host.empty()) return &proxies.configured;
    const HttpProxy& from_environment = url.scheme == Scheme::https ? proxies.https : proxies.http;
    if (from_environment.host.empty() || bypasses_proxy(proxies.no_proxy, url.host)) return nullptr;
    return &from_environment;
}

} // namespace zk::stream
