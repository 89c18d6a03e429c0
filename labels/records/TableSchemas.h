#pragma once
// The three tables of the label program: contacts, general records and custom label sheets.
#include "labels/records/FieldTypes.h"

// Field indexes, in schema order.
enum ContactField : int {
  Contact_Number,
  Contact_Title,
  Contact_Name,
  Contact_Surname,
  Contact_Address1,  // street
  Contact_Address2,  // postal code
  Contact_Address3,  // city or town
  Contact_Address4,  // country or county
};

enum GeneralField : int {
  General_No,
  General_Field1,
  General_Field2,
  General_Field3,
  General_Field4,
  General_Field5,
  General_Field6,  // picture path
};

enum CustomLabelField : int {
  TemplateName,
  NumHorz,
  NumVert,
  LabelWidth,
  LabelHeight,
  CornerRadius,
  SpacingHorz,
  SpacingVert,
  OffsetX,
  OffsetY,
  PaperSize,
  Measurement,
  LabelShape,
  PageOrientation,
};

const TableSchema& ContactSchema();
const TableSchema& GeneralSchema();
const TableSchema& CustomLabelSchema();

// The file each table is kept in, beside the program.
inline constexpr const char* kContactFile = "ContactList.cds";
inline constexpr const char* kGeneralFile = "GeneralList.cds";
inline constexpr const char* kCustomLabelFile = "CustomLabel.cds";
