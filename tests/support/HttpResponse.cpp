#include "HttpResponse.h"

#include <algorithm>
#include <utility>

namespace faultserver {
namespace {

std::string ContentRange(std::int64_t first, std::int64_t last, std::int64_t total)
{
    return "bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(total);
}

}  // namespace

void HttpResponse::SetBody(std::string_view sliceOfServedBody)
{
    ownBody_ = false;
    owned_.clear();
    slice_ = sliceOfServedBody;
}

void HttpResponse::SetOwnedBody(std::string text)
{
    ownBody_ = true;
    owned_ = std::move(text);
    slice_ = {};
}

std::string HttpResponse::Head() const
{
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n";
    for (const auto& header : headers) head += header.first + ": " + header.second + "\r\n";
    head += "\r\n";
    return head;
}

void HttpResponse::SetHeader(const std::string& name, std::string value)
{
    for (auto& header : headers) {
        if (EqualsNoCase(header.first, name)) {
            header.second = std::move(value);
            return;
        }
    }
    headers.emplace_back(name, std::move(value));
}

void HttpResponse::RemoveHeader(const std::string& name)
{
    headers.erase(std::remove_if(headers.begin(), headers.end(),
                                 [&](const Header& header) { return EqualsNoCase(header.first, name); }),
                  headers.end());
}

HttpResponse BuildResponse(const RequestShape& request, std::string_view body, const Action& action)
{
    const std::uint64_t total = body.size();
    HttpResponse response;
    auto emptyAnswer = [&](int status) -> HttpResponse& {
        response.status = status;
        response.SetHeader("Content-Length", "0");
        response.SetHeader("Connection", "close");
        return response;
    };

    if (action.fault == Fault::Status) {
        response.status = action.status;
        response.SetHeader("Content-Length", std::to_string(action.text.size()));
        response.SetHeader("Connection", "close");
        if (!request.head) response.SetOwnedBody(action.text);
        return response;
    }
    if (request.kind == RequestKind::Other) return emptyAnswer(501);
    if (request.kind == RequestKind::Ranged && !request.range) return emptyAnswer(400);

    std::uint64_t first = 0;
    std::uint64_t last = total == 0 ? 0 : total - 1;
    bool partial = request.kind == RequestKind::Ranged && action.fault != Fault::IgnoreRange;
    if (partial) {
        first = request.range->first;
        last = std::min(request.range->last, total == 0 ? 0 : total - 1);
        if (first >= total || request.range->first > request.range->last) {
            response.SetHeader("Content-Range", "bytes */" + std::to_string(total));
            return emptyAnswer(416);
        }
    }
    if (action.fault == Fault::WrongContentRange) partial = true;

    const std::string_view slice = total == 0 ? std::string_view() : body.substr(first, last - first + 1);
    response.status = partial ? 206 : 200;
    response.headers.emplace_back("Content-Type", "application/octet-stream");
    response.headers.emplace_back("Accept-Ranges", "bytes");
    response.SetHeader("Content-Length", std::to_string(slice.size()));
    if (partial) {
        std::int64_t shift = action.fault == Fault::WrongContentRange ? action.rangeShift : 0;
        std::int64_t totalShift = action.fault == Fault::WrongContentRange ? action.totalShift : 0;
        response.SetHeader("Content-Range",
                           ContentRange(static_cast<std::int64_t>(first) + shift, static_cast<std::int64_t>(last) + shift,
                                        static_cast<std::int64_t>(total) + totalShift));
    }
    response.SetHeader("Connection", "close");
    if (!request.head) response.SetBody(slice);

    switch (action.fault) {
    case Fault::NoContentLength:
        response.RemoveHeader("Content-Length");
        break;
    case Fault::ContentLengthText:
        response.SetHeader("Content-Length", action.text);
        break;
    case Fault::ExtraBytes:
        response.extraBytes = action.bytes;
        if (action.extraCounted) response.SetHeader("Content-Length", std::to_string(slice.size() + action.bytes));
        break;
    default:
        break;
    }
    return response;
}

const char* ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

}  // namespace faultserver
