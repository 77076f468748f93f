// Resource ids of Hanabo32: the one place where they are named.
#pragma once

// Menu, accelerators, icon.
#define IDR_MAINMENU        127
#define IDR_ACCELERATORS    112
#define IDI_HANABO          128

// Bitmaps.
#define IDB_TOOLBAR         129
#define IDB_TILES           130
#define IDB_BARICONS        131
// The folder browser's pictures: drives by kind, closed and open folders.
#define IDB_CDROM           133
#define IDB_REMOVABLE       134
#define IDB_FIXED           135
#define IDB_FOLDER          136
#define IDB_RAMDISK         137
#define IDB_REMOVABLE_OPEN  138
#define IDB_FIXED_OPEN      139
#define IDB_NETWORK         140
#define IDB_FOLDER_OPEN     141

// Dialog templates.
#define IDD_ABOUT           105
#define IDD_SELECTGAME      146
#define IDD_SELECTFOLDER    109
#define IDD_SELECTSOUND     115
#define IDD_MOVESLIDER      153
#define IDD_COMMENT         157
#define IDD_CONFIG          168
#define IDD_RECORD          143
#define IDD_CAMPAIGN        145
#define IDD_CAMPAIGNRECORD  148
#define IDD_HIGHSCORENAME   152
#define IDD_RESTNAME        154
#define IDD_STATISTICS      170
#define IDD_BESTLINE        171

// Controls.
#define IDC_CLICKCOUNTER    106
#define IDC_ABOUT_ICON      1000
#define IDC_SLIDER_TEXT     1036
#define IDC_SLIDER_BAR      1024
#define IDC_NUMBERBOX       1009
#define IDC_SPECIALNUMBERS  1026
#define IDC_COMMENT_TEXT    1036
#define IDC_REGISTER        1056
#define IDC_DELETENUMBER    1063
// Select Sound and its folder browser.
#define IDC_SOUND_CHANGEFOLDER 1004
#define IDC_FOLDER_TREE     1004
#define IDC_SOUND_WAVES     1027
#define IDC_SOUND_TEST      1028
#define IDC_SOUND_EVENTS    1034
#define IDC_SOUND_FOLDER    1036
#define IDC_SOUND_NONE      1038
// The Configuration dialog (168).
#define IDC_CFG_COLUMNBAR   1024
#define IDC_CFG_ROWBAR      1025
#define IDC_CFG_BITMAPPATH  1036
#define IDC_CFG_MIDIPATH    1037
#define IDC_CFG_COUNTS      1051
#define IDC_CFG_CELL4       1065   // 1065 to 1070: 4, 8, 16, 32, 48, 64 pixels
#define IDC_CFG_CELL64      1070
#define IDC_CFG_SHEETSMALL  1071   // 1071 to 1074: Small, Normal, Large, Customize
#define IDC_CFG_SHEETNORMAL 1072
#define IDC_CFG_SHEETLARGE  1073
#define IDC_CFG_CUSTOMIZE   1074
#define IDC_CFG_NUMBER3     1075   // 1075 to 1077: 3, 4, 5 kinds
#define IDC_CFG_NUMBER5     1077
#define IDC_CFG_BITMAPOPTION 1078
#define IDC_CFG_SCOREOPTION 1079
#define IDC_CFG_TOOLBAR     1080
#define IDC_CFG_SCOREBAR    1081
#define IDC_CFG_BITMAP      1082
#define IDC_CFG_BGMFILE     1083
#define IDC_SELECTSOUND     1084
#define IDC_CFG_BGM         1085
#define IDC_CFG_SOUND       1086
#define IDC_CFG_CLEARRECORDS 1088
#define IDC_CFG_NORMAL      1089
#define IDC_CFG_AUTO        1090
#define IDC_CFG_SHIFT       1091
#define IDC_CFG_SLOW        1092
#define IDC_CFG_BLANKCELL   1093
#define IDC_CFG_VERYSLOW    1094
// The record dialogs (143, 148) and the name entry (152, 154).
#define IDC_RECORD_HEADING  1036
#define IDC_RECORD_SCORES   1035
#define IDC_RECORD_RESTS    1057
#define IDC_RECORD_SHOWSCORES 1061
#define IDC_RECORD_SHOWRESTS 1060
#define IDC_RECORD_STAGE    1037
#define IDC_RECORD_AVERAGE  1051
#define IDC_NAME_EDIT       1036
// The Campaign dialog (145): a scroll bar and the edit box showing its position per row.
#define IDC_CAMPAIGN_RESTBAR    1024
#define IDC_CAMPAIGN_STAGEBAR   1025
#define IDC_CAMPAIGN_SEEDBAR    1054
#define IDC_CAMPAIGN_RESTTEXT   1036
#define IDC_CAMPAIGN_STAGETEXT  1037
#define IDC_CAMPAIGN_SEEDTEXT   1051
// The Statistics dialog (170): the heading, nine figures in a row of ids, the
// Campaign switch and Reset.
#define IDC_STATS_HEADING       1100
#define IDC_STATS_FIRSTVALUE    1101   // 1101 to 1109: the figures, in the order of their rows
#define IDC_STATS_CAMPAIGN      1110
#define IDC_STATS_RESET         1111

// The best line's progress dialog.
#define IDC_BESTLINE_PROGRESS 1120

// Commands: menu items, accelerators and toolbar buttons share these.
#define IDM_NEW             32771
#define IDM_OPEN            32772
#define IDM_SAVE            32773
#define IDM_BGM             32775
#define IDM_SOUND           32776
#define IDM_SELECTGAME      32778
#define IDM_CAMPAIGN        32779
#define IDM_UNDO            32793
#define IDM_AGAIN           32794
#define IDM_REDO            32795
#define IDM_RECORD          32801
#define IDM_HELP            40001
#define IDM_MINIMIZE        40011
#define IDM_CONFIG          40023
#define IDM_VERSION         57664
#define IDM_EXIT            57665
#define IDM_HINT            40115   // Hint: the search's recommended group (key H)
#define IDM_STATISTICS      40121   // the Statistics dialog
#define IDM_BESTLINE        40122   // the best line, loaded for Redo

// Tooltip strings.
#define IDS_TIP_RECORD      2
#define IDS_TIP_AGAIN       3
#define IDS_TIP_UNDO        4
#define IDS_TIP_REDO        5
#define IDS_TIP_NEW         6
#define IDS_TIP_CONFIG      13
