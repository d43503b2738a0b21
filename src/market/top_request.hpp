#pragma once
// The signed Open Platform call: parameters, MD5 signature, query text and sending.

#include <cstdint>

#include "text/text.hpp"

namespace delist {

struct TopParam {
    Text key;
    Text value;      // local code page, as the caller gave it
    int encode = 0;  // 1: signed over its UTF-8 bytes and sent percent-encoded UTF-8

    friend bool operator==(const TopParam&, const TopParam&) = default;
};

using TopParams = std::vector<TopParam>;

// One object per call: set the call's parameters, execute, clear_params. Copying copies both
// lists and the three texts.
class TopRequest {
  public:
    TopRequest() = default;
    TopRequest(const TopRequest&) = default;
    TopRequest& operator=(const TopRequest&) = default;
    virtual ~TopRequest() = default;

    virtual void clear_params();
    // Bubble sort with an early end; ascending 1 sorts ascending, anything else descending.
    virtual void sort_texts(TextList& list, int ascending = 0);
    // Rebuilds signed_params from params, ordered by the joined "key==value" texts.
    virtual void sort_params();
    virtual int encode_flag_of(const Text& key) const;
    // mode 1 appends, mode 0 replaces the value of the first entry with that key, others do
    // nothing. encode counts only as 1 or 0.
    virtual void set_param(const Text& key, const Text& value, int encode = 0, int mode = 1);
    virtual void set_app_key(const Text& key);
    virtual void set_app_secret(const Text& secret);
    // Adds the common parameters, sorts, and appends "sign" to signed_params; returns the sign.
    virtual Text compute_sign();
    // The local time as "YYYY-MM-DD HH:MM:SS".
    virtual Text make_timestamp();
    // Lower-case hex MD5; empty when the digest cannot be computed.
    virtual Text md5_hex(const Bytes& bytes);
    virtual Text byte_hex(std::uint8_t byte);
    // url_form 2 starts with the gateway address; any other value gives the parameters alone.
    virtual Text build_query(int url_form = 2);
    // format 2 json, 1 xml, other none; send_mode 2 GET, 1 POST, other sends nothing.
    virtual Text execute(const Text& app_key, const Text& app_secret, const Text& method,
                         int format = 2, int send_mode = 2);
    virtual Text url_encode(const Text& text);

    const TopParams& signed_params() const { return signed_params_; }
    const TopParams& params() const { return params_; }
    const Text& app_key() const { return app_key_; }
    const Text& app_secret() const { return app_secret_; }
    const Text& timestamp() const { return timestamp_; }

  private:
    TopParams signed_params_;
    TopParams params_;
    Text app_key_;
    Text app_secret_;
    Text timestamp_;
};

// "http://" + gateway host + "/router/rest?".
Text gateway_address();

}  // namespace delist
