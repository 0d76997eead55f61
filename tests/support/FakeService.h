#pragma once
// The fake translation service started around the test program by
// scripts/with-fake-service.sh: its address, its controls and its records.

#include <string>

namespace tarvex::test {

class FakeService {
public:
    FakeService();                                           // fails the test when the service is not running
    const std::string& Address() const { return address_; }  // 127.0.0.1:PORT
    // 127.0.0.1:PORT of a listener that never lets a connection through.
    std::string UnreachableAddress() { return "127.0.0.1:" + Get("/_blackhole"); }
    // mode=...&count=...&status=...&delay=...&retry_after=...&size=...
    void Control(const std::string& query);
    void Reset() { Get("/_reset"); }
    // {"connections": N, "requests": [...]} as JSON text.
    std::string Records();
    // Connections accepted since the last reset (the records query included).
    int Connections();
    // How often `needle` occurs in the records.
    int CountInRecords(const std::string& needle);

private:
    std::string Get(const std::string& pathAndQuery);
    std::string address_;
};

}  // namespace tarvex::test
