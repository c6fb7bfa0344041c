#include "model/ModelNotices.h"

#include <utility>

namespace polvane {

namespace {
std::function<void(const std::string&)>& Handler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}
} // namespace

void ModelNotices::Show(const std::string& text)
{
    if (const auto& handler = Handler())
        handler(text);
}

void ModelNotices::SetHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}

} // namespace polvane
