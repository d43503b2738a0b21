#include "market/top_request.hpp"

#include <gtest/gtest.h>

#include <regex>

#include "sim_environment.hpp"
#include "text/encoding.hpp"
#include "text/time.hpp"

namespace delist {
namespace {

const char* const kItemKey = "47395061";
const char* const kItemSecret = "7e41c9d05b28f3a6e17d4c90b25a8f3e";
const char* const kSellerKey = "38094127";
const char* const kSellerSecret = "3f8a27e1d6c04b95a7e3f12c8d60b4a9";

class FixedTimeRequest : public TopRequest {
  public:
    explicit FixedTimeRequest(Text time = "2013-06-01 09:05:07") : time_(std::move(time)) {}
    Text make_timestamp() override { return time_; }

  private:
    Text time_;
};

TextList keys_of(const TopParams& params) {
    TextList keys;
    for (const TopParam& param : params) keys.push_back(param.key);
    return keys;
}

TEST(TopRequestTest, ListLookupSignsAndQueriesInKeyOrder) {
    FixedTimeRequest request;
    request.set_param("fields", "title,list_time,delist_time,price,nick");
    request.set_param("num_iids", "101,102");
    EXPECT_EQ(request.execute(kItemKey, kItemSecret, "taobao.items.list.get", 2, 0), "");

    // md5 of secret + app_key47395061fieldstitle,...formatjson...v2.0 + secret, by md5sum.
    const Text sign = "AA6C41405751D18553F70F7AE7F53FF5";
    EXPECT_EQ(request.timestamp(), "2013-06-01 09:05:07");
    EXPECT_EQ(keys_of(request.signed_params()),
              (TextList{"app_key", "fields", "format", "method", "num_iids", "sign_method",
                        "timestamp", "v", "sign"}));
    EXPECT_EQ(request.build_query(1),
              "app_key=47395061&fields=title,list_time,delist_time,price,nick&format=json&"
              "method=taobao.items.list.get&num_iids=101,102&sign_method=md5&"
              "timestamp=2013%2D06%2D01%2009%3A05%3A07&v=2.0&sign=" +
                  sign + "&");
    EXPECT_EQ(request.build_query(), gateway_address() + request.build_query(1));
    EXPECT_EQ(request.build_query(7), request.build_query(1));
    EXPECT_EQ(gateway_address(), "http://" + test_sim().host() + "/router/rest?");
    // The secret is never a parameter; "sign" is only in the signed list.
    EXPECT_EQ(keys_of(request.params()).size(), 8u);
    EXPECT_EQ(request.app_secret(), kItemSecret);
    EXPECT_EQ(request.app_key(), kItemKey);
}

TEST(TopRequestTest, EncodedValueIsSignedAndSentAsUtf8) {
    FixedTimeRequest request("2013-12-31 23:59:59");
    request.set_param("fields", "seller_credit");
    request.set_param("nick", "森马旗舰店", 1);
    request.execute(kSellerKey, kSellerSecret, "taobao.user.get", 2, 0);
    // md5 over the nick's UTF-8 bytes e6a3ae e9a9ac e69797 e888b0 e5ba97.
    EXPECT_EQ(request.signed_params().back().value, "60A557B7079C15285EACDDC6F0674E03");
    const Text query = request.build_query(1);
    EXPECT_NE(find_text(query, "&nick=%E6%A3%AE%E9%A9%AC%E6%97%97%E8%88%B0%E5%BA%97&"), -1);
    EXPECT_NE(find_text(query, "&timestamp=2013%2D12%2D31%2023%3A59%3A59&"), -1);
}

TEST(TopRequestTest, FormatChoosesTheFormatParameter) {
    struct Case {
        int format;
        TextList format_values;
    };
    for (const Case& c : {Case{2, {"json"}}, Case{1, {"xml"}}, Case{3, {}}, Case{0, {}}}) {
        FixedTimeRequest request;
        request.execute(kItemKey, kItemSecret, "taobao.item.get", c.format, 0);
        TextList values;
        for (const TopParam& param : request.signed_params()) {
            if (param.key == "format") values.push_back(param.value);
        }
        EXPECT_EQ(values, c.format_values) << "format " << c.format;
    }
}

TEST(TopRequestTest, SetParamModes) {
    TopRequest request;
    request.set_param("a", "1", 1);
    request.set_param("b", "2", 5);      // only 1 counts as encoded
    request.set_param("a", "3", 0);      // mode 1 appends even for a present key
    request.set_param("a", "9", 1, 0);   // mode 0 replaces the first one, its flag unchanged
    request.set_param("zz", "x", 1, 0);  // mode 0 without that key: nothing
    request.set_param("c", "x", 1, 2);   // other modes: nothing
    EXPECT_EQ(request.params(), (TopParams{{"a", "9", 1}, {"b", "2", 0}, {"a", "3", 0}}));
    EXPECT_EQ(request.encode_flag_of("a"), 1);
    EXPECT_EQ(request.encode_flag_of("b"), 0);
    EXPECT_EQ(request.encode_flag_of("A"), 0);
    EXPECT_EQ(request.encode_flag_of("missing"), 0);
    request.clear_params();
    EXPECT_TRUE(request.params().empty());
}

TEST(TopRequestTest, SortParamsOrdersWholePiecesAndKeepsEmptyValues) {
    TopRequest request;
    request.set_param("b", "2");
    request.set_param("a", "y", 1);
    request.set_param("a1", "z");  // "a1==" sorts before "a==": '1' is below '='
    request.set_param("ab", "w");  // "ab==" after "a==": 'b' is above '='
    request.set_param("a", "x", 0);
    request.set_param("nick", "", 1);
    request.sort_params();
    // The duplicate key takes the first entry's flag.
    EXPECT_EQ(request.signed_params(), (TopParams{{"a1", "z", 0},
                                                  {"a", "x", 1},
                                                  {"a", "y", 1},
                                                  {"ab", "w", 0},
                                                  {"b", "2", 0},
                                                  {"nick", "", 1}}));
}

TEST(TopRequestTest, SortTextsIsStableInBothDirections) {
    TopRequest request;
    TextList list{"b", "a", "c", "a", "", "\xB0\xA1"};
    request.sort_texts(list, 1);
    EXPECT_EQ(list, (TextList{"", "a", "a", "b", "c", "\xB0\xA1"}));  // unsigned bytes
    request.sort_texts(list);
    EXPECT_EQ(list, (TextList{"\xB0\xA1", "c", "b", "a", "a", ""}));
    TextList empty;
    request.sort_texts(empty, 1);
    EXPECT_TRUE(empty.empty());
}

TEST(TopRequestTest, DigestHelpers) {
    TopRequest request;
    EXPECT_EQ(request.md5_hex({}), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(request.md5_hex(text_to_bytes("abc")), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(request.byte_hex(10), "0a");
    EXPECT_EQ(request.byte_hex(0), "00");
    EXPECT_EQ(request.byte_hex(255), "ff");
    EXPECT_EQ(request.url_encode("a-b c"), "a%2Db%20c");
}

TEST(TopRequestTest, TimestampIsPaddedLocalTime) {
    TopRequest request;
    const Text stamp = request.make_timestamp();
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << stamp;
    EXPECT_LE(time_difference(parse_time(stamp), current_time(), 8), 0);
    EXPECT_GT(time_difference(parse_time(stamp), current_time(), 8), -5);
}

// The gateway recomputes the signature independently and answers an error when it differs.
TEST(TopRequestTest, GatewayAcceptsGetAndPostAlike) {
    const Text id = test_sim().catalog().keyword_ids("top")[0];
    Text answers[2];
    for (int mode : {1, 2}) {
        TopRequest request;
        request.set_param("fields", "nick,delist_time,list_time");
        request.set_param("num_iid", id);
        answers[mode - 1] = request.execute(kItemKey, kItemSecret, "taobao.item.get", 2, mode);
        EXPECT_NE(find_text(answers[mode - 1], "item_get_response"), -1) << answers[mode - 1];
    }
    EXPECT_EQ(answers[0], answers[1]);
}

TEST(TopRequestTest, EmptyValueStillSignsConsistently) {
    TopRequest request;
    request.set_param("fields", "seller_credit");
    request.set_param("nick", "", 1);
    const Text answer = request.execute(kSellerKey, kSellerSecret, "taobao.user.get");
    EXPECT_EQ(answer, "{\"user_get_response\":{}}");
}

TEST(TopRequestTest, OtherSendModeSendsNothing) {
    const long before = test_sim().requests(sim::SimCounter::kGateway);
    TopRequest request;
    EXPECT_EQ(request.execute(kItemKey, kItemSecret, "taobao.item.get", 2, 3), "");
    EXPECT_EQ(test_sim().requests(sim::SimCounter::kGateway), before);
    EXPECT_FALSE(request.signed_params().empty());  // still signed
}

}  // namespace
}  // namespace delist
