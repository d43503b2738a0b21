#include "text/text.hpp"
#include "web/http_request.hpp"

namespace delist {

namespace {

// Where the host begins: right after the first "http://", else at the start.
int host_start(const Text& url) {
    const int scheme = find_text(url, "http://");
    return scheme == -1 ? 1 : scheme + 7;
}

}  // namespace

Text url_host(const Text& url, int keep_port) {
    const Text rest = text_mid(url, host_start(url), text_length(url));
    const int slash = find_text(rest, "/");
    Text host = slash == -1 ? rest : text_left(rest, slash - 1);
    if (keep_port != 1) {
        const int colon = find_text(host, ":");
        if (colon != -1) host = text_left(host, colon - 1);
    }
    return to_lower(host);
}

int url_port(const Text& url) {
    const Text host = url_host(url, 1);
    const int colon = find_text(host, ":");
    if (colon == -1) return 80;
    return real_to_int(text_to_number(text_mid(host, colon + 1, text_length(host))));
}

Text url_path(const Text& url) {
    // Searched from the host's own start, so that a host such as "h" or "tp" is not found
    // inside the scheme.
    const int at = find_text(url, url_host(url), host_start(url), true);
    const int slash = find_text(url, "/", at);
    if (slash == -1) return "/";
    return text_mid(url, slash, text_length(url));
}

}  // namespace delist
