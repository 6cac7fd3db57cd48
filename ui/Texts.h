// Every text of the interface, as bytes of code page 936 (the comment shows each one).
// They are converted explicitly at the Win32 call, so they show the same on every locale.
#pragma once

namespace ui::text {

// Kestrune（IIS版）
inline constexpr char kWindowCaption[] = "Kestrune\xA3\xA8IIS\xB0\xE6\xA3\xA9";
// 开始解析(F7)
inline constexpr char kParseButton[] = "\xBF\xAA\xCA\xBC\xBD\xE2\xCE\xF6(F7)";
// 请确保日志格式为W3C，否则会解析失败！
inline constexpr char kFormatHint[] = "\xC7\xEB\xC8\xB7\xB1\xA3\xC8\xD5\xD6\xBE\xB8\xF1\xCA\xBD\xCE\xAAW3C\xA3\xAC\xB7\xF1\xD4\xF2\xBB\xE1\xBD\xE2\xCE\xF6\xCA\xA7\xB0\xDC\xA3\xA1";
// 刷新日志(F5)
inline constexpr char kRefreshButton[] = "\xCB\xA2\xD0\xC2\xC8\xD5\xD6\xBE(F5)";
// 定位默认位置
inline constexpr char kDefaultDirButton[] = "\xB6\xA8\xCE\xBB\xC4\xAC\xC8\xCF\xCE\xBB\xD6\xC3";
// 选择日志位置
inline constexpr char kBrowseDirButton[] = "\xD1\xA1\xD4\xF1\xC8\xD5\xD6\xBE\xCE\xBB\xD6\xC3";
// IIS日志位置：
inline constexpr char kDirLabel[] = "IIS\xC8\xD5\xD6\xBE\xCE\xBB\xD6\xC3\xA3\xBA";
// 日期
inline constexpr char kColumnDate[] = "\xC8\xD5\xC6\xDA";
// 时间
inline constexpr char kColumnTime[] = "\xCA\xB1\xBC\xE4";
// 服务器IP
inline constexpr char kColumnServerIp[] = "\xB7\xFE\xCE\xF1\xC6\xF7IP";
// 请求方式
inline constexpr char kColumnMethod[] = "\xC7\xEB\xC7\xF3\xB7\xBD\xCA\xBD";
// 访问页
inline constexpr char kColumnUriStem[] = "\xB7\xC3\xCE\xCA\xD2\xB3";
// 查询参数
inline constexpr char kColumnUriQuery[] = "\xB2\xE9\xD1\xAF\xB2\xCE\xCA\xFD";
// 端口
inline constexpr char kColumnPort[] = "\xB6\xCB\xBF\xDA";
// 用户名
inline constexpr char kColumnUserName[] = "\xD3\xC3\xBB\xA7\xC3\xFB";
// 来访者IP
inline constexpr char kColumnClientIp[] = "\xC0\xB4\xB7\xC3\xD5\xDFIP";
// UA
inline constexpr char kColumnUserAgent[] = "UA";
// 状态
inline constexpr char kColumnStatus[] = "\xD7\xB4\xCC\xAC";
// 协议子状态
inline constexpr char kColumnSubStatus[] = "\xD0\xAD\xD2\xE9\xD7\xD3\xD7\xB4\xCC\xAC";
// WIN32状态
inline constexpr char kColumnWin32Status[] = "WIN32\xD7\xB4\xCC\xAC";
// 响应时间
inline constexpr char kColumnTimeTaken[] = "\xCF\xEC\xD3\xA6\xCA\xB1\xBC\xE4";
// 菜单
inline constexpr char kMainMenu[] = "\xB2\xCB\xB5\xA5";
// 复制此项
inline constexpr char kCopyRowItem[] = "\xB8\xB4\xD6\xC6\xB4\xCB\xCF\xEE";
// 选择日志目录
inline constexpr char kSelectDirItem[] = "\xD1\xA1\xD4\xF1\xC8\xD5\xD6\xBE\xC4\xBF\xC2\xBC";
// 刷新日志
inline constexpr char kRefreshItem[] = "\xCB\xA2\xD0\xC2\xC8\xD5\xD6\xBE";
// 解析日志文件
inline constexpr char kParseItem[] = "\xBD\xE2\xCE\xF6\xC8\xD5\xD6\xBE\xCE\xC4\xBC\xFE";
// 退出
inline constexpr char kExitItem[] = "\xCD\xCB\xB3\xF6";
// 帮助
inline constexpr char kHelpMenu[] = "\xB0\xEF\xD6\xFA";
// 检查更新
inline constexpr char kCheckUpdateItem[] = "\xBC\xEC\xB2\xE9\xB8\xFC\xD0\xC2";
// 关于软件
inline constexpr char kAboutItem[] = "\xB9\xD8\xD3\xDA\xC8\xED\xBC\xFE";
// 请选择日志文件所在的目录后再次刷新！
inline constexpr char kNoDirectoryMessage[] = "\xC7\xEB\xD1\xA1\xD4\xF1\xC8\xD5\xD6\xBE\xCE\xC4\xBC\xFE\xCB\xF9\xD4\xDA\xB5\xC4\xC4\xBF\xC2\xBC\xBA\xF3\xD4\xD9\xB4\xCE\xCB\xA2\xD0\xC2\xA3\xA1";
// 请选择日志文件后再次解析！
inline constexpr char kNoLogFileMessage[] = "\xC7\xEB\xD1\xA1\xD4\xF1\xC8\xD5\xD6\xBE\xCE\xC4\xBC\xFE\xBA\xF3\xD4\xD9\xB4\xCE\xBD\xE2\xCE\xF6\xA3\xA1";
// 复制本项成功！
inline constexpr char kCopiedMessage[] = "\xB8\xB4\xD6\xC6\xB1\xBE\xCF\xEE\xB3\xC9\xB9\xA6\xA3\xA1";
// 受版规限制，Morvane版本更新请关注相关帖！
inline constexpr char kUpdateNotice[] = "\xCA\xDC\xB0\xE6\xB9\xE6\xCF\xDE\xD6\xC6\xA3\xACMorvane\xB0\xE6\xB1\xBE\xB8\xFC\xD0\xC2\xC7\xEB\xB9\xD8\xD7\xA2\xCF\xE0\xB9\xD8\xCC\xFB\xA3\xA1";
// Fail
inline constexpr char kFailCaption[] = "Fail";
// 主窗口创建失败！
inline constexpr char kWindowFailedMessage[] = "\xD6\xF7\xB4\xB0\xBF\xDA\xB4\xB4\xBD\xA8\xCA\xA7\xB0\xDC\xA3\xA1";
// 提示：
inline constexpr char kInfoCaption[] = "\xCC\xE1\xCA\xBE\xA3\xBA";
// 关于软件：
inline constexpr char kAboutCaption[] = "\xB9\xD8\xD3\xDA\xC8\xED\xBC\xFE\xA3\xBA";
// Kestrune软件（IIS日志查看版）⏎一个读取IIS访问日志（W3C格式）的小工具⏎软件版本：v1.0.0.1124⏎发布日期：2017年11月27日
inline constexpr char kAboutText[] = "Kestrune\xC8\xED\xBC\xFE\xA3\xA8IIS\xC8\xD5\xD6\xBE\xB2\xE9\xBF\xB4\xB0\xE6\xA3\xA9\r\n\xD2\xBB\xB8\xF6\xB6\xC1\xC8\xA1IIS\xB7\xC3\xCE\xCA\xC8\xD5\xD6\xBE\xA3\xA8W3C\xB8\xF1\xCA\xBD\xA3\xA9\xB5\xC4\xD0\xA1\xB9\xA4\xBE\xDF\r\n\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBAv1.0.0.1124\r\n\xB7\xA2\xB2\xBC\xC8\xD5\xC6\xDA\xA3\xBA" "2017\xC4\xEA" "11\xD4\xC2" "27\xC8\xD5";
// 请选择日志目录
inline constexpr char kFolderPrompt[] = "\xC7\xEB\xD1\xA1\xD4\xF1\xC8\xD5\xD6\xBE\xC4\xBF\xC2\xBC";
// c:\inetpub\logs\LogFiles\ (with the trailing backslash)
inline constexpr char kDefaultLogDirectory[] = "c:\\inetpub\\logs\\LogFiles\\";
// *.log
inline constexpr char kLogFilePattern[] = "*.log";
//   
inline constexpr char kCellSeparator[] = "  ";
// YaHei Consolas Hybrid
inline constexpr char kFontFace[] = "YaHei Consolas Hybrid";

}  // namespace ui::text
