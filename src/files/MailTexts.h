#pragma once

#include "platform/LangText.h"

// The texts of the e-mail dialog; they read the same in every language.

namespace zephirax {

inline constexpr LangText EmailFormTitle{.En = "Email transmission"};
inline constexpr LangText EmailAddressLabel{.En = "Destination address:"};
inline constexpr LangText EmailSubjectLabel{.En = "Subject:"};
inline constexpr LangText EmailMessageLabel{.En = "Message:"};
inline constexpr LangText EmailIntroLine1{
    .En = "Transmit the actual measurement via Email using the following"};
inline constexpr LangText EmailIntroLine2{.En = "informations:"};
inline constexpr LangText EmailTransmitCaption{.En = "OK"};
inline constexpr LangText EmailCancelCaption{.En = "Cancel"};

inline constexpr LangText EmailCanceledText{.En = "Email transmission canceled by user"};
inline constexpr LangText EmailZipFailedText{.En = "Could not create ZIP file for E-Mail!"};
inline constexpr LangText EmailTransmitFailedText{.En = "Could not transmit file via E-Mail!"};
inline constexpr LangText EmailMessageHeading{.En = "Message:"};

}  // namespace zephirax
