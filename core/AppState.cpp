#include "core/AppState.h"

namespace {
AppState& instance() {
    static AppState state;
    return state;
}
} // namespace

AppState& app() {
    return instance();
}

void resetAppState() {
    instance() = AppState{};
}

const QString& Tr::operator()() const {
    return in(app().languageIndex);
}
