#pragma once
// What the services' table tests share: the fixtures under
// tests/data/services, replies, and a service made from settings.

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "translate/services/ServiceFactory.h"

namespace tarvex::test {

inline std::string Fixture(const std::string& name) {
    std::ifstream file(std::string(TARVEX_SERVICE_FIXTURES) + "/" + name, std::ios::binary);
    if (!file) throw std::runtime_error("missing fixture " + name);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline HttpReply Reply(int status, std::string body, std::string reason = "", std::string retryAfter = "") {
    HttpReply reply;
    reply.Status = status;
    reply.Reason = std::move(reason);
    reply.RetryAfter = std::move(retryAfter);
    reply.Body = std::move(body);
    return reply;
}

inline std::unique_ptr<Service> Make(const std::string& name, const std::string& url = "", const std::string& key = "",
                                     const std::string& model = "", const std::string& source = "english",
                                     const std::string& target = "indonesian") {
    ServiceSettings settings;
    settings.Name = name;
    settings.Url = url;
    settings.Key = key;
    settings.Model = model;
    settings.SourceLanguage = source;
    settings.TargetLanguage = target;
    return MakeService(settings);
}

inline nlohmann::json Body(const HttpRequest& request) {
    return nlohmann::json::parse(request.Body);
}

// Two blocks: two lines, then one.
inline const std::vector<BlockLines>& TwoBlocks() {
    static const std::vector<BlockLines> batch = {{"Hello", "World"}, {"Goodbye"}};
    return batch;
}

}  // namespace tarvex::test
