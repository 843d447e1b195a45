#pragma once

#include "FaultRules.h"
#include "HttpRequest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace faultserver {

struct HttpResponse {
    int status = 200;
    std::vector<Header> headers;
    std::uint64_t extraBytes = 0;  // filler sent after the body

    std::string_view Body() const { return ownBody_ ? std::string_view(owned_) : slice_; }
    void SetBody(std::string_view sliceOfServedBody);
    void SetOwnedBody(std::string text);
    std::string Head() const;  // status line, headers and the blank line
    void SetHeader(const std::string& name, std::string value);
    void RemoveHeader(const std::string& name);

private:
    bool ownBody_ = false;
    std::string owned_;
    std::string_view slice_;
};

struct RequestShape {
    bool head = false;
    RequestKind kind = RequestKind::Other;
    std::optional<ByteRange> range;  // set for a well-formed Range header
};

// The answer to a request, with the action's changes to status, headers and body.
// Reset, CloseAfter, ResetAfter and Stall change how it is sent, not what.
HttpResponse BuildResponse(const RequestShape& request, std::string_view body, const Action& action);

const char* ReasonPhrase(int status);

}  // namespace faultserver
