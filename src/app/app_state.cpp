#include "app/app_state.h"

#include "app/app_texts.h"

namespace tapwell {

AppState& appState() {
    static AppState state;
    return state;
}

void setUiLanguage(AppState& state, UiLanguage language) {
    state.language = language;
    state.programTitle = std::u16string(appText(AppText::ProgramTitle, language));
}

} // namespace tapwell
