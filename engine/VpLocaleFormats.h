#pragma once
// The engine's date and time separators from the user's locale, as header and footer
// captions print them; the programs call this once at start.

void UseUserLocaleSeparators();
