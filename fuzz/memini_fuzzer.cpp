  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
'  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
-  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
N  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
w  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
<  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
<  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
<  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
1  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
8  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
#  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
{  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
F  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
&  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
{  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
G  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
&  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
3  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
2  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
<  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
C  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
\  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
}  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
}  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
C  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
V  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
F  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
O  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
8  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
*  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
{  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
F  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
W  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
B  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
6  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
4  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
z  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
P  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
F  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
:  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
A  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
w  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
/  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
w  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
h  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
R  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
&  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
3  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
2  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
<  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
C  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
+  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
{  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
E  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
*  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
-  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
C  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
R  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
-  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
N  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
v  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
R  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
d  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
D  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
o  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
y  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
-  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
>  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
N  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
,  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
}  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
L  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
G  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
&  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
M  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
m  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
I  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
F  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
"  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
.  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
S  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
g  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
&  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
s  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
f  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
T  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
c  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
k  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
!  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
=  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
x  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
b  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
l  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
i  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
_  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
a  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
p  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
(  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
)  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
e  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
t  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
u  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
r  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
n  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
   TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
0  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
;  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
}  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }

  TStringList sections;
  ini.ReadSections(&sections);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TMemIniEntry* entry = ini.Section(sections.Strings(i));
    if (entry->Count() == 0) continue;
    (void)ini.ReadInteger(sections.Strings(i), entry->Names(0), 0);
    (void)ini.ReadDateTime(sections.Strings(i), entry->Names(0), 0);
  }
