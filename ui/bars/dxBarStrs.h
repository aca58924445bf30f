// The toolbar library's user-interface texts: resource strings of the
// program's string table, registered under the product "BarSuite" with the
// process-wide resource-string repository. The library keeps no literal copy:
// every text is read through GetResourceString each time it is shown, so the
// active translation applies. `&` marks an accelerator letter; leading and
// trailing blanks belong to the text.
#pragma once

#include <span>

#include "platform/classes/resstrings.h"

class TdxProductResourceStrings;

// Dialog buttons and value dialogs.
DX_RESOURCESTRING(dxSBAR_LOOKUPDIALOGCAPTION, 65083, "Select value");
DX_RESOURCESTRING(dxSBAR_LOOKUPDIALOGOK, 65084, "OK");
DX_RESOURCESTRING(dxSBAR_LOOKUPDIALOGCANCEL, 65085, "Cancel");
DX_RESOURCESTRING(dxSBAR_DIALOGOK, 65086, "OK");
DX_RESOURCESTRING(dxSBAR_DIALOGCANCEL, 65087, "Cancel");

// Colour names of colour items.
DX_RESOURCESTRING(dxSBAR_COLOR_STR_0, 65056, "Black");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_1, 65057, "Maroon");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_2, 65058, "Green");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_3, 65059, "Olive");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_4, 65060, "Navy");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_5, 65061, "Purple");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_6, 65062, "Teal");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_7, 65063, "Gray");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_8, 65064, "Silver");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_9, 65065, "Red");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_10, 65066, "Lime");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_11, 65067, "Yellow");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_12, 65068, "Blue");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_13, 65069, "Fuchsia");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_14, 65070, "Aqua");
DX_RESOURCESTRING(dxSBAR_COLOR_STR_15, 65071, "White");
DX_RESOURCESTRING(dxSBAR_COLORAUTOTEXT, 65040, "(automatic)");
DX_RESOURCESTRING(dxSBAR_COLORCUSTOMTEXT, 65041, "(custom)");

// Texts of editor items and their dialogs.
DX_RESOURCESTRING(dxSBAR_DATETODAY, 65042, "Today");
DX_RESOURCESTRING(dxSBAR_DATECLEAR, 65043, "Clear");
DX_RESOURCESTRING(dxSBAR_DATEDIALOGCAPTION, 65044, "Select the date");
DX_RESOURCESTRING(dxSBAR_TREEVIEWDIALOGCAPTION, 65045, "Select item");
DX_RESOURCESTRING(dxSBAR_IMAGEDIALOGCAPTION, 65046, "Select item");
DX_RESOURCESTRING(dxSBAR_IMAGEINDEX, 65047, "Image Index");
DX_RESOURCESTRING(dxSBAR_IMAGETEXT, 65048, "Text");
DX_RESOURCESTRING(dxSBAR_PLACEFORCONTROL, 65049, "The place for the ");
DX_RESOURCESTRING(dxSBAR_CANTASSIGNCONTROL, 65050, "You cannot assign the same control to more than one TdxBarControlContainerItem");
DX_RESOURCESTRING(dxSBAR_CXEDITVALUEDIALOGCAPTION, 65051, "Enter value");

// Messages and confirmations.
DX_RESOURCESTRING(dxSBAR_WANTTORESETTOOLBAR, 65052, "Are you sure you want to reset the changes made to the '%s' toolbar?");
DX_RESOURCESTRING(dxSBAR_WANTTORESETUSAGEDATA, 65053, "This will delete the record of the commands you've used in this application and restore the default set of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you sure you want to proceed?");
DX_RESOURCESTRING(dxSBAR_BARMANAGERMORETHANONE, 65054, "A control should contain only a single TdxBarManager");
DX_RESOURCESTRING(dxSBAR_BARMANAGERBADOWNER, 65055, "TdxBarManager should have TWinControl as its Owner");
DX_RESOURCESTRING(dxSBAR_NOBARMANAGERS, 65024, "There are no TdxBarManagers available");
DX_RESOURCESTRING(dxSBAR_WANTTODELETETOOLBAR, 65025, "Are you sure you want to delete the '%s' toolbar?");
DX_RESOURCESTRING(dxSBAR_WANTTODELETETOOLBARS, 65026, "Are you sure you want to delete selected toolbars?");
DX_RESOURCESTRING(dxSBAR_WANTTODELETECATEGORY, 65027, "Are you sure you want to delete the '%s' category?");
DX_RESOURCESTRING(dxSBAR_WANTTOCLEARCOMMANDS, 65028, "Are you sure you want to delete all commands in the '%s' category?");
DX_RESOURCESTRING(dxSBAR_RECURSIVEMENUS, 65029, "You cannot create recursive menus");
DX_RESOURCESTRING(dxSBAR_COMMANDNAMECANNOTBEBLANK, 65030, "A command name cannot be blank. Please enter a name.");
DX_RESOURCESTRING(dxSBAR_TOOLBAREXISTS, 65031, "A toolbar named '%s' already exists. Type another name.");
DX_RESOURCESTRING(dxSBAR_RECURSIVEGROUPS, 65032, "You cannot create recursive groups");
DX_RESOURCESTRING(dxSBAR_WANTTODELETECOMPLEXITEM, 65033, "One of the selected objects is an item which has several links. Are you sure you want to delete these links?");
DX_RESOURCESTRING(dxSBAR_CANTPLACEQUICKACCESSGROUPBUTTON, 65034, "You can place TdxRibbonQuickAccessGroupButton only on TdxRibbonQuickAccessToolbar");
DX_RESOURCESTRING(dxSBAR_QUICKACCESSGROUPBUTTONTOOLBARNOTDOCKEDINRIBBON, 65035, "Quick Access Group Button's Toolbar is not docked in the Ribbon");
DX_RESOURCESTRING(dxSBAR_QUICKACCESSALREADYHASGROUPBUTTON, 65036, "The Quick Access Toolbar already contains GroupButton with the same toolbar");
DX_RESOURCESTRING(dxSBAR_CANTPLACESEPARATOR, 65037, "A separator item cannot be placed on the specified toolbar");
DX_RESOURCESTRING(dxSBAR_CANTPLACERIBBONGALLERY, 65038, "You can place TdxRibbonGalleryItem only on the Ribbon");
DX_RESOURCESTRING(dxSBAR_CANTMERGEBARMANAGER, 65039, "You cannot merge with the specified bar manager");
DX_RESOURCESTRING(dxSBAR_CANTMERGETOOLBAR, 65008, "You cannot merge with the specified toolbar");
DX_RESOURCESTRING(dxSBAR_CANTMERGEWITHMERGEDTOOLBAR, 65009, "You cannot merge a toolbar with a toolbar that is already merged");
DX_RESOURCESTRING(dxSBAR_CANTUNMERGETOOLBAR, 65010, "You cannot unmerge the specified toolbar");
DX_RESOURCESTRING(dxSBAR_ONEOFTOOLBARSALREADYMERGED, 65011, "One of the toolbars of the specified bar manager is already merged");
DX_RESOURCESTRING(dxSBAR_ONEOFTOOLBARSHASMERGEDTOOLBARS, 65012, "One of the toolbars of the specified bar manager has merged toolbars");
DX_RESOURCESTRING(dxSBAR_TOOLBARHASMERGEDTOOLBARS, 65013, "The '%s' toolbar has merged toolbars");
DX_RESOURCESTRING(dxSBAR_TOOLBARSALREADYMERGED, 65014, "The '%s' toolbar is already merged with the '%s' toolbar");
DX_RESOURCESTRING(dxSBAR_TOOLBARSARENOTMERGED, 65015, "The '%s' toolbar is not merged with the '%s' toolbar");

// Default names of new objects.
DX_RESOURCESTRING(dxSBAR_DEFAULTCATEGORYNAME, 65016, "Default");
DX_RESOURCESTRING(dxSBAR_NEWBUTTONCAPTION, 65017, "New Button");
DX_RESOURCESTRING(dxSBAR_NEWITEMCAPTION, 65018, "New Item");
DX_RESOURCESTRING(dxSBAR_NEWRIBBONGALLERYITEMCAPTION, 65019, "New Gallery");
DX_RESOURCESTRING(dxSBAR_NEWSEPARATORCAPTION, 65020, "New Separator");
DX_RESOURCESTRING(dxSBAR_NEWSUBITEMCAPTION, 65021, "New SubItem");

// Commands of the customization popup.
DX_RESOURCESTRING(dxSBAR_CP_ADDSUBITEM, 65022, "Add &SubItem");
DX_RESOURCESTRING(dxSBAR_CP_ADDBUTTON, 65023, "Add &Button");
DX_RESOURCESTRING(dxSBAR_CP_ADDLARGEBUTTON, 64992, "Add L&argeButton");
DX_RESOURCESTRING(dxSBAR_CP_ADDSEPARATOR, 64993, "Add &Separator");
DX_RESOURCESTRING(dxSBAR_CP_ADDDXITEM, 64994, "Add &Item");
DX_RESOURCESTRING(dxSBAR_CP_ADDCXITEM, 64995, "Add &cxEditItem");
DX_RESOURCESTRING(dxSBAR_CP_ADDGROUPBUTTON, 64996, "Add Gro&upButton");
DX_RESOURCESTRING(dxSBAR_CP_DELETEITEM, 64997, "Delete Item");
DX_RESOURCESTRING(dxSBAR_CP_DELETELINK, 64998, "Delete Link");
DX_RESOURCESTRING(dxSBAR_CP_RESET, 64999, "&Reset");
DX_RESOURCESTRING(dxSBAR_CP_DELETE, 65000, "&Delete");
DX_RESOURCESTRING(dxSBAR_CP_NAME, 65001, "&Name:");
DX_RESOURCESTRING(dxSBAR_CP_CAPTION, 65002, "&Caption:");
DX_RESOURCESTRING(dxSBAR_CP_BUTTONPAINTSTYLEMENU, 65003, "Button Paint &Style");
DX_RESOURCESTRING(dxSBAR_CP_DEFAULTSTYLE, 65004, "Defa&ult style");
DX_RESOURCESTRING(dxSBAR_CP_TEXTONLYALWAYS, 65005, "&Text Only (Always)");
DX_RESOURCESTRING(dxSBAR_CP_TEXTONLYINMENUS, 65006, "Text &Only (in Menus)");
DX_RESOURCESTRING(dxSBAR_CP_IMAGEANDTEXT, 65007, "Image &and Text");
DX_RESOURCESTRING(dxSBAR_CP_BEGINAGROUP, 64976, "Begin a &Group");
DX_RESOURCESTRING(dxSBAR_CP_VISIBLE, 64977, "&Visible");
DX_RESOURCESTRING(dxSBAR_CP_MOSTRECENTLYUSED, 64978, "&Most recently used");
DX_RESOURCESTRING(dxSBAR_CP_DISTRIBUTED, 64979, "Dis&tributed");
DX_RESOURCESTRING(dxSBAR_CP_POSITIONMENU, 64980, "&Position");
DX_RESOURCESTRING(dxSBAR_CP_VIEWLEVELSMENU, 64981, "View&Levels");
DX_RESOURCESTRING(dxSBAR_CP_ALLVIEWLEVELS, 64982, "All");
DX_RESOURCESTRING(dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX, 64983, " ONLY");
DX_RESOURCESTRING(dxSBAR_CP_BUTTONGROUPMENU, 64984, "ButtonG&roup");
DX_RESOURCESTRING(dxSBAR_CP_BUTTONGROUP, 64985, "Group");
DX_RESOURCESTRING(dxSBAR_CP_BUTTONUNGROUP, 64986, "Ungroup");

// Customize dialog, sub-menu editor and list commands.
DX_RESOURCESTRING(dxSBAR_ADDEX, 64987, "Add...");
DX_RESOURCESTRING(dxSBAR_RENAMEEX, 64988, "Rename...");
DX_RESOURCESTRING(dxSBAR_DELETE, 64989, "Delete");
DX_RESOURCESTRING(dxSBAR_CLEAR, 64990, "Clear");
DX_RESOURCESTRING(dxSBAR_VISIBLE, 64991, "Visible");
DX_RESOURCESTRING(dxSBAR_OK, 64960, "OK");
DX_RESOURCESTRING(dxSBAR_CANCEL, 64961, "Cancel");
DX_RESOURCESTRING(dxSBAR_SUBMENUEDITOR, 64962, "SubMenu Editor...");
DX_RESOURCESTRING(dxSBAR_SUBMENUEDITORCAPTION, 64963, "BarSuite SubMenu Editor");
DX_RESOURCESTRING(dxSBAR_INSERTEX, 64964, "Insert...");
DX_RESOURCESTRING(dxSBAR_MOVEUP, 64965, "Move Up");
DX_RESOURCESTRING(dxSBAR_MOVEDOWN, 64966, "Move Down");
DX_RESOURCESTRING(dxSBAR_POPUPMENUEDITOR, 64967, "PopupMenu Editor...");
DX_RESOURCESTRING(dxSBAR_TABSHEET1, 64968, " Toolbars ");
DX_RESOURCESTRING(dxSBAR_TABSHEET2, 64969, " Commands ");
DX_RESOURCESTRING(dxSBAR_TABSHEET3, 64970, " Options ");
DX_RESOURCESTRING(dxSBAR_TOOLBARS, 64971, "Toolb&ars:");
DX_RESOURCESTRING(dxSBAR_TNEW, 64972, "&New...");
DX_RESOURCESTRING(dxSBAR_TRENAME, 64973, "R&ename...");
DX_RESOURCESTRING(dxSBAR_TDELETE, 64974, "&Delete");
DX_RESOURCESTRING(dxSBAR_TRESET, 64975, "&Reset...");
DX_RESOURCESTRING(dxSBAR_CLOSE, 64944, "Close");
DX_RESOURCESTRING(dxSBAR_CAPTION, 64945, "Customize");
DX_RESOURCESTRING(dxSBAR_CATEGORIES, 64946, "Cate&gories:");
DX_RESOURCESTRING(dxSBAR_COMMANDS, 64947, "Comman&ds:");
DX_RESOURCESTRING(dxSBAR_DESCRIPTION, 64948, "Description  ");

// Menu and toolbar commands.
DX_RESOURCESTRING(dxSBAR_MDIMINIMIZE, 64949, "Minimize Window");
DX_RESOURCESTRING(dxSBAR_MDIRESTORE, 64950, "Restore Window");
DX_RESOURCESTRING(dxSBAR_MDICLOSE, 64951, "Close Window");
DX_RESOURCESTRING(dxSBAR_CUSTOMIZE, 64952, "&Customize...");
DX_RESOURCESTRING(dxSBAR_ADDREMOVEBUTTONS, 64953, "&Add or Remove Buttons");
DX_RESOURCESTRING(dxSBAR_MOREBUTTONS, 64954, "More Buttons");
DX_RESOURCESTRING(dxSBAR_RESETTOOLBAR, 64955, "&Reset Toolbar");
DX_RESOURCESTRING(dxSBAR_EXPAND, 64956, "Expand (Ctrl-Down)");
DX_RESOURCESTRING(dxSBAR_DRAGTOMAKEMENUFLOAT, 64957, "Drag to make this menu float");
DX_RESOURCESTRING(dxSBAR_MORECOMMANDS, 64958, "&More Commands...");

// Quick access toolbar and gallery.
DX_RESOURCESTRING(dxSBAR_SHOWBELOWRIBBON, 64959, "&Show Quick Access Toolbar Below the Ribbon");
DX_RESOURCESTRING(dxSBAR_SHOWABOVERIBBON, 64928, "&Show Quick Access Toolbar Above the Ribbon");
DX_RESOURCESTRING(dxSBAR_MINIMIZERIBBON, 64929, "Mi&nimize the Ribbon");
DX_RESOURCESTRING(dxSBAR_ADDTOQAT, 64930, "&Add to Quick Access Toolbar");
DX_RESOURCESTRING(dxSBAR_ADDTOQATITEMNAME, 64931, "&Add %s to Quick Access Toolbar");
DX_RESOURCESTRING(dxSBAR_REMOVEFROMQAT, 64932, "&Remove from Quick Access Toolbar");
DX_RESOURCESTRING(dxSBAR_CUSTOMIZEQAT, 64933, "Customize Quick Access Toolbar");
DX_RESOURCESTRING(dxSBAR_ADDGALLERYNAME, 64934, "Gallery");
DX_RESOURCESTRING(dxSBAR_SHOWALLGALLERYGROUPS, 64935, "Show all groups");
DX_RESOURCESTRING(dxSBAR_HIDEALLGALLERYGROUPS, 64936, "Hide all groups");
DX_RESOURCESTRING(dxSBAR_CLEARGALLERYFILTER, 64937, "Clear filter");
DX_RESOURCESTRING(dxSBAR_GALLERYEMPTYFILTERCAPTION, 64938, "<empty>");

// Name dialog.
DX_RESOURCESTRING(dxSBAR_TOOLBARNEWNAME, 64939, "Custom ");
DX_RESOURCESTRING(dxSBAR_CATEGORYADD, 64940, "Add Category");
DX_RESOURCESTRING(dxSBAR_CATEGORYINSERT, 64941, "Insert Category");
DX_RESOURCESTRING(dxSBAR_CATEGORYRENAME, 64942, "Rename Category");
DX_RESOURCESTRING(dxSBAR_TOOLBARADD, 64943, "Add Toolbar");
DX_RESOURCESTRING(dxSBAR_TOOLBARRENAME, 64912, "Rename Toolbar");
DX_RESOURCESTRING(dxSBAR_CATEGORYNAME, 64913, "&Category name:");
DX_RESOURCESTRING(dxSBAR_TOOLBARNAME, 64914, "&Toolbar name:");
DX_RESOURCESTRING(dxSBAR_CUSTOMIZINGFORM, 64915, "Customization Form...");
DX_RESOURCESTRING(dxSBAR_MODIFY, 64916, "... modify");

// Options page.
DX_RESOURCESTRING(dxSBAR_PERSMENUSANDTOOLBARS, 64917, "Personalized Menus and Toolbars  ");
DX_RESOURCESTRING(dxSBAR_MENUSSHOWRECENTITEMS, 64918, "Me&nus show recently used commands first");
DX_RESOURCESTRING(dxSBAR_SHOWFULLMENUSAFTERDELAY, 64919, "Show f&ull menus after a short delay");
DX_RESOURCESTRING(dxSBAR_RESETUSAGEDATA, 64920, "&Reset my usage data");
DX_RESOURCESTRING(dxSBAR_OTHEROPTIONS, 64921, "Other  ");
DX_RESOURCESTRING(dxSBAR_LARGEICONS, 64922, "&Large icons");
DX_RESOURCESTRING(dxSBAR_HINTOPT1, 64923, "Show Tool&Tips on toolbars");
DX_RESOURCESTRING(dxSBAR_HINTOPT2, 64924, "Show s&hortcut keys in ToolTips");
DX_RESOURCESTRING(dxSBAR_MENUANIMATIONS, 64925, "&Menu animations:");
DX_RESOURCESTRING(dxSBAR_MENUANIM1, 64926, "(None)");
DX_RESOURCESTRING(dxSBAR_MENUANIM2, 64927, "Random");
DX_RESOURCESTRING(dxSBAR_MENUANIM3, 64896, "Unfold");
DX_RESOURCESTRING(dxSBAR_MENUANIM4, 64897, "Slide");
DX_RESOURCESTRING(dxSBAR_MENUANIM5, 64898, "Fade");

// Other messages and accessible names.
DX_RESOURCESTRING(dxSBAR_CANTFINDBARMANAGERFORSTATUSBAR, 64899, "A bar manager cannot be found for the status bar");
DX_RESOURCESTRING(dxSBAR_BUTTONDEFAULTACTIONDESCRIPTION, 64900, "Press");
DX_RESOURCESTRING(SBlob, 64901, "(Blob)");
DX_RESOURCESTRING(dxSBAR_GDIPLUSNEEDED, 64902, "%s requires the Microsoft GDI+ library to be installed");
DX_RESOURCESTRING(dxSBAR_RIBBONMORETHANONE, 64903, "There should be only one %s instance on the form");
DX_RESOURCESTRING(dxSBAR_RIBBONBADOWNER, 64904, "%s should have TCustomForm as its Owner");
DX_RESOURCESTRING(dxSBAR_RIBBONBADPARENT, 64905, "%s should have TCustomForm as its Parent");
DX_RESOURCESTRING(dxSBAR_RIBBONADDTAB, 64906, "Add Tab");
DX_RESOURCESTRING(dxSBAR_RIBBONDELETETAB, 64907, "Delete Tab");
DX_RESOURCESTRING(dxSBAR_RIBBONADDEMPTYGROUP, 64908, "Add Empty Group");
DX_RESOURCESTRING(dxSBAR_RIBBONADDGROUPWITHTOOLBAR, 64909, "Add Group With Toolbar");
DX_RESOURCESTRING(dxSBAR_RIBBONDELETEGROUP, 64910, "Delete Group");
DX_RESOURCESTRING(dxSBAR_ACCESSIBILITY_RIBBONNAME, 64911, "Ribbon");
DX_RESOURCESTRING(dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME, 64880, "Ribbon Tabs");

// The product name the texts are registered under.
inline constexpr const char* dxBarProductName = "BarSuite";

// All 182 texts in registration order.
std::span<const PResStringRec> dxBarStrings();
// Adds one name and its resource string to the product's name table.
void AddBarStringName(TdxProductResourceStrings* product, const char* name, PResStringRec resString);
// Adds every text of the table, in registration order.
void AddBarStringNames(TdxProductResourceStrings* product);

// Enters the texts into the program's string table and registers the product;
// shut-down unregisters it.
void dxBarStrsUnitStart();
void dxBarStrsUnitStop();
