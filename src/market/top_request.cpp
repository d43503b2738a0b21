#include "market/top_request.hpp"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>

#include "market/settings.hpp"
#include "text/encoding.hpp"
#include "text/time.hpp"
#include "web/http_request.hpp"

namespace delist {

namespace {

Text two_digits(int value) {
    Text text = int_to_text(value);
    return text_length(text) == 1 ? "0" + text : text;
}

Text utf8_text(const Text& text) {
    return bytes_to_text(text_to_utf8(text));
}

}  // namespace

Text gateway_address() {
    return "http://" + market_settings().gateway_host + "/router/rest?";
}

void TopRequest::clear_params() {
    signed_params_.clear();
    params_.clear();
}

void TopRequest::sort_texts(TextList& list, int ascending) {
    std::size_t n = list.size();
    while (n > 0) {
        std::size_t last_swap = 0;
        for (std::size_t i = 1; i < n; ++i) {
            const int order = compare_text(list[i - 1], list[i]);
            if ((ascending == 1 && order > 0) || (ascending != 1 && order < 0)) {
                std::swap(list[i - 1], list[i]);
                last_swap = i;
            }
        }
        n = last_swap;
    }
}

void TopRequest::sort_params() {
    Text joined;
    for (const TopParam& param : params_) joined += join_texts(param.key, "==", param.value, "||");
    signed_params_.clear();
    TextList pieces = split_text(joined, "||");
    sort_texts(pieces, 1);
    for (const Text& piece : pieces) {
        if (find_text(piece, "==") == -1) continue;
        const TextList parts = split_text(piece, "==");
        TopParam param;
        param.key = parts.empty() ? Text() : parts[0];
        // An empty value leaves no second part; it is carried as empty.
        param.value = parts.size() > 1 ? parts[1] : Text();
        param.encode = encode_flag_of(param.key) == 1 ? 1 : 0;
        signed_params_.push_back(param);
    }
}

int TopRequest::encode_flag_of(const Text& key) const {
    for (const TopParam& param : params_) {
        if (compare_text(param.key, key) == 0) return param.encode;
    }
    return 0;
}

void TopRequest::set_param(const Text& key, const Text& value, int encode, int mode) {
    if (mode == 1) {
        params_.push_back({key, value, encode == 1 ? 1 : 0});
    } else if (mode == 0) {
        for (TopParam& param : params_) {
            if (compare_text(param.key, key) == 0) {
                param.value = value;
                return;
            }
        }
    }
}

void TopRequest::set_app_key(const Text& key) {
    app_key_ = key;
}

void TopRequest::set_app_secret(const Text& secret) {
    app_secret_ = secret;
}

Text TopRequest::compute_sign() {
    set_param("app_key", app_key_, 0);
    timestamp_ = make_timestamp();
    set_param("timestamp", timestamp_, 1);
    set_param("sign_method", "md5", 0);
    set_param("v", "2.0", 0);
    sort_params();
    Text source;
    for (const TopParam& param : signed_params_) {
        source += param.key;
        source += param.encode == 1 ? utf8_text(param.value) : param.value;
    }
    const Text sign =
        to_upper(md5_hex(text_to_bytes(join_texts(app_secret_, source, app_secret_))));
    signed_params_.push_back({"sign", sign, 0});
    return sign;
}

Text TopRequest::make_timestamp() {
    const DateTime now = current_time();
    return join_texts(int_to_text(year_of(now)), "-", two_digits(month_of(now)), "-",
                      two_digits(day_of(now)), " ", two_digits(hour_of(now)), ":",
                      two_digits(minute_of(now)), ":", two_digits(second_of(now)));
}

Text TopRequest::md5_hex(const Bytes& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest, &length) != 1) {
        return {};
    }
    Text hex;
    for (unsigned int i = 0; i < length; ++i) hex += byte_hex(digest[i]);
    return hex;
}

Text TopRequest::byte_hex(std::uint8_t byte) {
    char buffer[3];
    std::snprintf(buffer, sizeof buffer, "%.2x", static_cast<unsigned>(byte));
    return buffer;
}

Text TopRequest::build_query(int url_form) {
    Text query = url_form == 2 ? gateway_address() : Text();
    for (const TopParam& param : signed_params_) {
        const Text value = param.encode == 1 ? url_encode(utf8_text(param.value)) : param.value;
        query += join_texts(param.key, "=", value, "&");
    }
    return query;
}

Text TopRequest::execute(const Text& app_key, const Text& app_secret, const Text& method,
                         int format, int send_mode) {
    set_app_key(app_key);
    set_app_secret(app_secret);
    if (format == 2) {
        set_param("format", "json");
    } else if (format == 1) {
        set_param("format", "xml");
    }
    set_param("method", method);
    compute_sign();
    if (send_mode == 2) return http_request_text(build_query());
    if (send_mode == 1)
        return http_request_text(gateway_address(), "POST", {}, nullptr, build_query(1));
    return {};
}

Text TopRequest::url_encode(const Text& text) {
    return delist::url_encode(text);
}

}  // namespace delist
