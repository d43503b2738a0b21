#include "web/http_request.hpp"

#include "web/curl_transfer.hpp"
#include "web/request_limits.hpp"

namespace delist {

namespace {

const char* const agent_name = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const char* const accept_line =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const char* const accept_language_line = "Accept-Language: zh-cn\r\n";
const char* const form_type_line = "Content-Type: application/x-www-form-urlencoded\r\n";
constexpr int max_redirects = 10;

bool has_header(const Text& headers, const Text& name) {
    return find_text(headers, name, 1, true) != -1;
}

Bytes no_request() {
    return Bytes(255, 0);
}

}  // namespace

Bytes http_request_limited(const RequestLimits& limits, const Text& url, const Text& method,
                           const Text& proxy, Text* headers, const Text& body,
                           Text* response_headers) {
    const Text path = url_path(url);
    const Text host = url_host(url);
    int port = url_port(url);
    if (port == 0) port = 80;
    if (!valid_http_origin(host, port)) return no_request();

    CurlTransfer transfer(CurlTransfer::Cookies::shared_store, limits);
    if (!transfer) return no_request();
    CURL* curl = transfer.handle();

    const Text origin = "http://" + host + ":" + int_to_text(port);
    curl_easy_setopt(curl, CURLOPT_URL, (origin + "/").c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent_name);
    if (!remove_spaces(proxy).empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYTYPE, CURLPROXY_HTTP);
        // A proxy needs the absolute form in the request line.
        const Text target = (port == 80 ? "http://" + host : origin) + path;
        curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, target.c_str());
    } else {
        // The path goes out byte for byte, query and fragment included.
        curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, path.c_str());
    }

    Text own_headers;
    Text& header_text = headers != nullptr ? *headers : own_headers;
    if (!has_header(header_text, "Accept: ")) header_text += accept_line;
    if (!has_header(header_text, "Referer: ")) header_text += "Referer: " + url + "\r\n";
    if (!has_header(header_text, "Accept-Language: ")) header_text += accept_language_line;

    const Text verb = to_upper(method);
    bool post = false;
    if (verb == "POST") {
        post = true;
        if (!body.empty()) {
            if (!has_header(header_text, "Content-Type: ")) header_text += form_type_line;
            header_text += "Content-Length: " + int_to_text(text_length(body)) + "\r\n";
        }
    } else if (!verb.empty() && verb != "GET") {
        return no_request();
    }

    HeaderList lines;
    for (const Text& line : split_text(header_text, "\r\n")) {
        if (!line.empty()) lines.add(line);
    }
    // libcurl's own additions that a plain request does not carry.
    if (!has_header(header_text, "Expect:")) lines.add("Expect:");
    if (post && body.empty() && !has_header(header_text, "Content-Type:")) {
        lines.add("Content-Type:");
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, lines.get());
    if (post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    }

    // Redirects are followed here, not by libcurl, because the request target above would be
    // sent again unchanged with every follow-up request.
    for (int hop = 0;; ++hop) {
        if (transfer.perform() != CURLE_OK || hop == max_redirects) break;
        long status = 0;
        char* location = nullptr;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location);
        if (location == nullptr) break;
        if (post && (status == 301 || status == 302 || status == 303)) {
            post = false;
            curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        }
        const Text next = location;
        curl_easy_setopt(curl, CURLOPT_URL, next.c_str());
        curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, nullptr);
    }

    if (response_headers != nullptr) *response_headers = transfer.header_block();
    return std::move(transfer.body());
}

Bytes http_request(const Text& url, const Text& method, const Text& proxy, Text* headers,
                   const Text& body, Text* response_headers) {
    return http_request_limited(RequestLimits{}, url, method, proxy, headers, body,
                                response_headers);
}

Text http_request_text(const Text& url, const Text& method, const Text& proxy, Text* headers,
                       const Text& body, Text* response_headers) {
    return bytes_to_text(http_request(url, method, proxy, headers, body, response_headers));
}

}  // namespace delist
