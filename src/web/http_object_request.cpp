#include "web/http_object_request.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "text/encoding.hpp"
#include "web/curl_transfer.hpp"
#include "web/request_limits.hpp"

namespace delist {

namespace {

constexpr long max_redirects = 10;

Text default_header_block(const Text& address) {
    return join_texts("Referer: ", address,
                      "\r\nAccept: */*"
                      "\r\nAccept-Language: zh-cn"
                      "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; QW7RX; "
                      ".NET CLR 2.0.50727; .NET CLR 3.0.04506.648; .NET CLR 3.5.21022)"
                      "\r\nContent-Type: application/x-www-form-urlencoded");
}

// The routine's own time-out applies to connecting and to waiting for data, within the limits
// that hold for every request.
RequestLimits limits_for(int timeout_seconds) {
    RequestLimits limits;
    if (timeout_seconds == -1) return limits;
    const long seconds = timeout_seconds > 0 ? timeout_seconds : 15;
    limits.connect_seconds = std::min(limits.connect_seconds, seconds);
    limits.idle_seconds = std::min(limits.idle_seconds, seconds);
    return limits;
}

bool same_name(const Text& a, const Text& b) {
    return to_lower(a) == to_lower(b);
}

// Request headers set one by one: a name set again replaces the earlier value.
class RequestHeaders {
  public:
    void set(const Text& name, const Text& value) {
        if (name.empty()) return;
        for (auto& entry : entries_) {
            if (same_name(entry.first, name)) {
                entry.second = value;
                return;
            }
        }
        entries_.emplace_back(name, value);
    }
    bool has(const Text& name) const {
        return std::any_of(entries_.begin(), entries_.end(),
                           [&](const auto& entry) { return same_name(entry.first, name); });
    }
    void fill(HeaderList& list) const {
        // "Name;" is libcurl's form for a header sent with an empty value.
        for (const auto& [name, value] : entries_) {
            list.add(value.empty() ? name + ";" : name + ": " + value);
        }
    }

  private:
    std::vector<std::pair<Text, Text>> entries_;
};

void set_header_lines(RequestHeaders& request_headers, const Text& headers) {
    for (const Text& line : split_text(headers, "\r\n")) {
        if (line.empty()) continue;
        const int colon = find_text(line, ":");
        if (colon == -1) continue;
        request_headers.set(trim_spaces(text_left(line, colon - 1)),
                            trim_spaces(text_mid(line, colon + 1, text_length(line))));
    }
}

// The header lines of the answer without its status line and closing blank line.
Text header_lines_of(const Text& block) {
    Text lines;
    bool status_line = true;
    for (const Text& line : split_text(block, "\r\n")) {
        if (status_line) {
            status_line = false;
            continue;
        }
        if (!line.empty()) lines += line + "\r\n";
    }
    return lines;
}

void scan_response_headers(ObjectRequestOptions& options) {
    options.new_cookies.clear();
    options.redirect_address.clear();
    for (const Text& line : split_text(options.response_headers, "\r\n")) {
        if (find_text(line, "Location:") != -1) {
            const int colon = find_text(line, ":");
            options.redirect_address = trim_spaces(text_mid(line, colon + 1, text_length(line)));
        }
        if (find_text(line, "Set-Cookie") != -1) {
            Text cookie;
            const int name = find_text(line, "Set-Cookie:", 1, true);
            if (name != -1) {
                const int start = name + 11;
                const int end = find_text(line, ";", start);
                if (end != -1) cookie = trim_spaces(text_mid(line, start, end - start));
            }
            options.new_cookies += cookie + "; ";
        }
    }
}

bool declares_utf8(const Bytes& body, const Text& response_headers) {
    const int in_body = find_bytes(body, text_to_bytes("charset=utf-8"));
    return (in_body != -1 && in_body < 500) || find_text(response_headers, "charset=utf-8") != -1;
}

}  // namespace

Bytes http_object_request(const Text& address, ObjectRequestOptions& options) {
    CurlTransfer transfer(CurlTransfer::Cookies::none, limits_for(options.timeout_seconds));
    if (!transfer) return {};
    CURL* curl = transfer.handle();

    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    if (!options.proxy.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXY, options.proxy.c_str());
        if (!options.proxy_user.empty()) {
            // The flag chooses, as the request object's credential flags do, whom the
            // credentials are for: 0 the server, anything else the proxy.
            const bool for_server = options.proxy_credential_flag == 0;
            curl_easy_setopt(curl, for_server ? CURLOPT_USERNAME : CURLOPT_PROXYUSERNAME,
                             options.proxy_user.c_str());
            curl_easy_setopt(curl, for_server ? CURLOPT_PASSWORD : CURLOPT_PROXYPASSWORD,
                             options.proxy_password.c_str());
        }
    }
    if (options.no_redirect == 0) {
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, max_redirects);
    }

    if (options.headers.empty()) options.headers = default_header_block(address);
    if (options.gzip != 0) options.headers += "\r\nAccept-Encoding: gzip, deflate";
    RequestHeaders request_headers;
    if (!options.cookies.empty()) request_headers.set("Cookie", options.cookies);
    set_header_lines(request_headers, options.headers);
    HeaderList lines;
    request_headers.fill(lines);
    // libcurl's own addition that the request object does not make.
    if (!request_headers.has("Expect")) lines.add("Expect:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, lines.get());

    const Bytes body_bytes =
        options.body_bytes.empty() ? text_to_bytes(options.body) : options.body_bytes;
    const bool post = options.method == 1;
    if (post || !body_bytes.empty()) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(body_bytes.size()));
        // Never a null pointer: libcurl would then read the body from standard input.
        const char* data =
            body_bytes.empty() ? "" : reinterpret_cast<const char*>(body_bytes.data());
        curl_easy_setopt(curl, CURLOPT_COPYPOSTFIELDS, data);
        if (!post) curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "GET");
    }

    transfer.perform();
    Bytes body = std::move(transfer.body());
    options.response_headers = header_lines_of(transfer.header_block());

    scan_response_headers(options);
    merge_cookies(options.cookies, options.new_cookies);
    if (options.redirect_address.empty()) options.redirect_address = options.response_headers;
    if (options.gzip == 0 && declares_utf8(body, options.response_headers)) {
        body = utf8_bytes_to_gbk(body);
    }
    return body;
}

Bytes http_object_request(const Text& address) {
    ObjectRequestOptions options;
    return http_object_request(address, options);
}

Text http_object_request_text(const Text& address, ObjectRequestOptions& options) {
    const int gzip = options.gzip;
    options.gzip = 0;
    Text text = bytes_to_text(http_object_request(address, options));
    options.gzip = gzip;
    return text;
}

Text http_object_request_text(const Text& address) {
    ObjectRequestOptions options;
    return http_object_request_text(address, options);
}

}  // namespace delist
