#pragma once
// What the exported files say about the program that wrote them and its maker.
namespace writer {

// The PDF's information values.
inline constexpr char kPdfProducer[] = "Ombrel Office (www.ombrel.example)";
inline constexpr char kPdfAuthor[] = "Ombrel Tessary Express";
inline constexpr char kPdfCreator[] = "Tessary Express version 1.0 by Ombrel Software";
inline constexpr char kPdfKeywords[] = "RTF Export to PDF";
inline constexpr char kPdfSubject[] = "Full RTF Document with Formatting and Objects.";

// The presentation's comment lines, in order.
inline constexpr const char* kPresentationComments[] = {
    "Created by Tessary Express version 1.0",
    "Ombrel Software\xE2\x84\xA2",
    "Ombrel Office Standard Edition version 2.2",
    "Company Name: Ombrel Software",
    "Web Site: www.ombrel.example or ombrel.example.org",
    "This is a Ombrel Office Presentation File.",
};

}  // namespace writer
