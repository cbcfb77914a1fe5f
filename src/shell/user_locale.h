// The user's number format, for the texts that show numbers as the user writes them.
#pragma once

namespace himlavy {

// The user's decimal separator ('.' or ',').
char LocaleDecimalSeparator();

}  // namespace himlavy
