#include "support/FakeService.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "translate/http/HttpTransport.h"

namespace tarvex::test {

FakeService::FakeService() {
    const char* address = std::getenv("TARVEX_FAKE_SERVICE");
    if (address == nullptr || *address == '\0') {
        ADD_FAILURE() << "TARVEX_FAKE_SERVICE is not set: run this program through scripts/with-fake-service.sh";
        return;
    }
    address_ = address;
}

std::string FakeService::Get(const std::string& pathAndQuery) {
    // A transport of its own, so the connection under test is not shared.
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    HttpReply reply = transport->Get("http://" + address_ + pathAndQuery, {}, std::chrono::seconds(10));
    EXPECT_EQ(reply.Status, 200) << pathAndQuery;
    return reply.Body;
}

void FakeService::Control(const std::string& query) {
    Get("/_control?" + query);
}

std::string FakeService::Records() {
    return Get("/_requests");
}

int FakeService::Connections() {
    std::string records = Records();
    size_t at = records.find("\"connections\": ");
    return at == std::string::npos ? -1 : std::atoi(records.c_str() + at + 15);
}

int FakeService::CountInRecords(const std::string& needle) {
    std::string records = Records();
    int count = 0;
    for (size_t at = records.find(needle); at != std::string::npos; at = records.find(needle, at + 1)) ++count;
    return count;
}

}  // namespace tarvex::test
