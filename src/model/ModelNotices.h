#pragma once

#include <functional>
#include <string>

namespace polvane {

// Messages that the model shows the user directly (an OK box in the program). The shell
// installs the handler; without one the notice is dropped.
class ModelNotices {
public:
    static void Show(const std::string& text);
    static void SetHandler(std::function<void(const std::string&)> handler);
};

} // namespace polvane
