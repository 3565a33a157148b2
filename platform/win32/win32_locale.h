#pragma once
// The user's regional settings (LOCALE_USER_DEFAULT), read afresh on every call.
#include "platform/locale.h"

namespace tc {

class Win32Locale : public Locale {
public:
    LocaleInfo Read() override;
};

}  // namespace tc
