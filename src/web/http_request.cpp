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

// The address libcurl works from: the path without its fragment, with the bytes its parser would
// refuse percent-encoded; the origin alone when even that does not parse.
Text base_address(const Text& origin, const Text& path) {
    static constexpr char digits[] = "0123456789ABCDEF";
    Text address = origin;
    for (const char ch : path) {
        if (ch == '#') break;
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F) {
            address += '%';
            address += digits[c >> 4];
            address += digits[c & 0x0F];
        } else {
            address += ch;
        }
    }
    CURLU* parsed = curl_url();
    char* normalised = nullptr;
    if (parsed != nullptr && curl_url_set(parsed, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK &&
        curl_url_get(parsed, CURLUPART_URL, &normalised, 0) == CURLUE_OK) {
        address = normalised;
    } else {
        address = origin + "/";
    }
    curl_free(normalised);
    curl_url_cleanup(parsed);
    return address;
}

// The caller's header block as libcurl lines, without the additions libcurl would make on its
// own; without_body leaves out the lines that describe a body.
void header_lines(HeaderList& lines, const Text& header_text, bool empty_post, bool without_body) {
    for (const Text& line : split_text(header_text, "\r\n")) {
        if (line.empty()) continue;
        if (without_body && (find_text(line, "Content-Length:", 1, true) == 1 ||
                             find_text(line, "Content-Type:", 1, true) == 1)) {
            continue;
        }
        lines.add(line);
    }
    if (!has_header(header_text, "Expect:")) lines.add("Expect:");
    if (empty_post && !has_header(header_text, "Content-Type:")) lines.add("Content-Type:");
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
    // libcurl resolves relative redirects and matches cookie paths against this address; the
    // request line itself is the path as given (below).
    curl_easy_setopt(curl, CURLOPT_URL, base_address(origin, path).c_str());
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
    header_lines(lines, header_text, post && body.empty(), false);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, lines.get());
    HeaderList get_lines;
    if (post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    }

    // Redirects are followed here, not by libcurl, because the request target above would be
    // sent again unchanged with every follow-up request.
    for (int hop = 0;; ++hop) {
        const CURLcode result = transfer.perform();
        if (hop == 0 && (result == CURLE_COULDNT_CONNECT || result == CURLE_COULDNT_RESOLVE_HOST ||
                         result == CURLE_COULDNT_RESOLVE_PROXY)) {
            if (response_headers != nullptr) response_headers->clear();
            return no_request();
        }
        if (result != CURLE_OK || hop == max_redirects) break;
        long status = 0;
        char* location = nullptr;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location);
        if (location == nullptr) break;
        if (post && (status == 301 || status == 302 || status == 303)) {
            // The follow-up GET carries no body, so it must not announce one.
            post = false;
            curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
            header_lines(get_lines, header_text, false, true);
            curl_easy_setopt(curl, CURLOPT_HTTPHEADER, get_lines.get());
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
