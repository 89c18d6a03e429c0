#include "labels/records/TableSchemas.h"

namespace {

FieldDef Text(const char* name, int maxLength) { return {name, FieldType::Text, maxLength}; }
FieldDef Number(const char* name) { return {name, FieldType::AutoInc, 0}; }
FieldDef Integer(const char* name) { return {name, FieldType::Integer, 0}; }
FieldDef Float(const char* name) { return {name, FieldType::Float, 0}; }

}  // namespace

const TableSchema& ContactSchema() {
  static const TableSchema schema{
      "cdsContact",
      {Number("Contact_Number"), Text("Contact_Title", 20), Text("Contact_Name", 50),
       Text("Contact_Surname", 50), Text("Contact_Address1", 75), Text("Contact_Address2", 75),
       Text("Contact_Address3", 20), Text("Contact_Address4", 75)},
      "Contact number",
      "contacts"};
  return schema;
}

const TableSchema& GeneralSchema() {
  static const TableSchema schema{
      "cdsGeneral",
      {Number("General_No"), Text("General_Field1", 100), Text("General_Field2", 100),
       Text("General_Field3", 100), Text("General_Field4", 100), Text("General_Field5", 100),
       Text("General_Field6", 255)},
      "General number",
      "general records"};
  return schema;
}

const TableSchema& CustomLabelSchema() {
  static const TableSchema schema{
      "cdsCustomLabel",
      {Text("TemplateName", 100), Integer("NumHorz"), Integer("NumVert"), Float("LabelWidth"),
       Float("LabelHeight"), Text("CornerRadius", 20), Float("SpacingHorz"), Float("SpacingVert"),
       Float("OffsetX"), Float("OffsetY"), Text("PaperSize", 50), Text("Measurement", 50),
       Text("LabelShape", 50), Text("PageOrientation", 20)},
      "",
      "custom labels"};
  return schema;
}
