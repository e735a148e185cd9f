<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AppResources</name>
    <message>
        <source>关于 Quillora(&amp;A)...</source>
        <translation>&amp;About Quillora...</translation>
    </message>
</context>
<context>
    <name>BmpReader</name>
    <message>
        <source>打开文件失败!</source>
        <translation>Could not open the file!</translation>
    </message>
    <message>
        <source>BMP文件是空的!</source>
        <translation>The BMP file is empty!</translation>
    </message>
    <message>
        <source>BMP文件不完整!</source>
        <translation>The BMP file is incomplete!</translation>
    </message>
    <message>
        <source>不支持自上而下存储的BMP文件!</source>
        <translation>Top-down BMP files are not supported!</translation>
    </message>
    <message>
        <source>BMP文件的宽度、高度或位数无效!</source>
        <translation>The BMP file&apos;s width, height or bit depth is invalid!</translation>
    </message>
    <message>
        <source>BMP图像过大,打印机无法接受!</source>
        <translation>The BMP image is too large for the printer!</translation>
    </message>
    <message>
        <source>内存不足,无法完成测试!</source>
        <translation>Not enough memory to finish the test!</translation>
    </message>
    <message>
        <source>读取文件失败!</source>
        <translation>Could not read the file!</translation>
    </message>
    <message>
        <source>下载NV图完成! </source>
        <translation>NV logo downloaded! </translation>
    </message>
</context>
<context>
    <name>DataExchange</name>
    <message>
        <source>请输入一个整数。</source>
        <translation>Please enter a whole number.</translation>
    </message>
    <message>
        <source>请输入一个介于 %1 和 %2 之间的整数。</source>
        <translation>Please enter a whole number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>DriverChecks</name>
    <message>
        <source>没有默认打印机,或者没有安装打印机!%1</source>
        <translation>No default printer, or no printer installed! %1</translation>
    </message>
</context>
<context>
    <name>EscPosNames</name>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>initialise</translation>
    </message>
    <message>
        <source>半切</source>
        <translation>partial cut</translation>
    </message>
    <message>
        <source>全切</source>
        <translation>full cut</translation>
    </message>
    <message>
        <source>走纸%1行</source>
        <translation>feed %1 lines</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>align left</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>centre</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>align right</translation>
    </message>
    <message>
        <source>钱箱脉冲</source>
        <translation>drawer pulse</translation>
    </message>
    <message>
        <source>位图 %1 列</source>
        <translation>bit image %1 columns</translation>
    </message>
    <message>
        <source>取纸状态查询</source>
        <translation>paper-taken status query</translation>
    </message>
    <message>
        <source>走纸到黑标</source>
        <translation>feed to black mark</translation>
    </message>
    <message>
        <source>走纸并全切</source>
        <translation>feed and full cut</translation>
    </message>
    <message>
        <source>走纸并半切</source>
        <translation>feed and partial cut</translation>
    </message>
    <message>
        <source>正常大小</source>
        <translation>normal size</translation>
    </message>
    <message>
        <source>宽%1倍 高%2倍</source>
        <translation>width ×%1 height ×%2</translation>
    </message>
    <message>
        <source>定义NV位图 (%1)</source>
        <translation>define NV bit image (%1)</translation>
    </message>
    <message>
        <source>打印NV位图</source>
        <translation>print NV bit image</translation>
    </message>
    <message>
        <source>(不完整)</source>
        <translation>(incomplete)</translation>
    </message>
    <message>
        <source>… (另有 %1)</source>
        <translation>… (%1 more)</translation>
    </message>
    <message>
        <source>无回复</source>
        <translation>no reply</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>开启黑标</source>
        <translation>Black mark on</translation>
    </message>
    <message>
        <source>关闭黑标</source>
        <translation>Black mark off</translation>
    </message>
    <message>
        <source>开启纸将尽检测</source>
        <translation>Near-end on</translation>
    </message>
    <message>
        <source>关闭纸将尽检测</source>
        <translation>Near-end off</translation>
    </message>
    <message>
        <source>开启取纸传感功能</source>
        <translation>Take sensor on</translation>
    </message>
    <message>
        <source>关闭取纸传感功能</source>
        <translation>Take sensor off</translation>
    </message>
    <message>
        <source>开启切刀功能</source>
        <translation>Cutter on</translation>
    </message>
    <message>
        <source>关闭切刀功能</source>
        <translation>Cutter off</translation>
    </message>
    <message>
        <source>开始连续打印</source>
        <translation>Start printing</translation>
    </message>
    <message>
        <source>结束连续打印</source>
        <translation>Stop printing</translation>
    </message>
    <message>
        <source>打印测试</source>
        <translation>Print test</translation>
    </message>
    <message>
        <source>端口选择</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>打印机基本测试</source>
        <translation>Basic printer tests</translation>
    </message>
    <message>
        <source>打印参数设置</source>
        <translation>Printer functions</translation>
    </message>
    <message>
        <source>打印机连续疲劳测试</source>
        <translation>Continuous fatigue test</translation>
    </message>
    <message>
        <source>单张打印测试</source>
        <translation>Print text</translation>
    </message>
    <message>
        <source>半切</source>
        <translation>Half cut</translation>
    </message>
    <message>
        <source>全切</source>
        <translation>Full cut</translation>
    </message>
    <message>
        <source>走纸</source>
        <translation>Feed</translation>
    </message>
    <message>
        <source>弹钱箱</source>
        <translation>Drawer</translation>
    </message>
    <message>
        <source>条码打印</source>
        <translation>Barcodes</translation>
    </message>
    <message>
        <source>字体多倍放大</source>
        <translation>Large text</translation>
    </message>
    <message>
        <source>下载位图打印</source>
        <translation>NV logo</translation>
    </message>
    <message>
        <source>黑标检测</source>
        <translation>Mark feed</translation>
    </message>
    <message>
        <source>纸将尽检测</source>
        <translation>Near end</translation>
    </message>
    <message>
        <source>取纸报警测试</source>
        <translation>Paper taken</translation>
    </message>
    <message>
        <source>串口打印状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>驱动程序打印</source>
        <translation>Driver print</translation>
    </message>
    <message>
        <source>图形打印</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>字体对齐</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>每张隔</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>秒,连续打印</source>
        <translation>s, print</translation>
    </message>
    <message>
        <source>张</source>
        <translation>×</translation>
    </message>
    <message>
        <source>直接写端口打印</source>
        <translation>To the port</translation>
    </message>
    <message>
        <source>驱动程序方式打印</source>
        <translation>Via the driver</translation>
    </message>
    <message>
        <source>自动切纸</source>
        <translation>Auto cut</translation>
    </message>
    <message>
        <source>混合大字</source>
        <translation>Mixed size</translation>
    </message>
    <message>
        <source>打印LOGO</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>打印文件</source>
        <translation>Print file</translation>
    </message>
    <message>
        <source>使用说明:测试前,了解打印机当前的功能,如果使用端口打印请先选择相应的连接端口,例如LPT1、COM1等。如果采用驱动测试打印,要先在系统上安装好打印机驱动。</source>
        <translation>How to use: know what the printer can do first. To print to a port, select its connection (LPT1, COM1, ...); to print through the driver, install the printer&apos;s driver first.</translation>
    </message>
</context>
<context>
    <name>PrinterStateChecks</name>
    <message>
        <source>读取数据失败!</source>
        <translation>Reading the data failed!</translation>
    </message>
    <message>
        <source>打印机没有回答!</source>
        <translation>The printer did not answer!</translation>
    </message>
</context>
<context>
    <name>PrinterStatus</name>
    <message>
        <source>纸</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>纸将尽</source>
        <translation>near end</translation>
    </message>
    <message>
        <source>缺纸</source>
        <translation>out</translation>
    </message>
    <message>
        <source>有纸</source>
        <translation>present</translation>
    </message>
    <message>
        <source>打印机</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>有响应</source>
        <translation>answering</translation>
    </message>
    <message>
        <source>无响应</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>联机</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>脱机</source>
        <translation>offline</translation>
    </message>
    <message>
        <source>上盖</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>open</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>closed</translation>
    </message>
    <message>
        <source>钱箱</source>
        <translation>Drawer</translation>
    </message>
    <message>
        <source>引脚高电平</source>
        <translation>pin high</translation>
    </message>
    <message>
        <source>引脚低电平</source>
        <translation>pin low</translation>
    </message>
    <message>
        <source>走纸键</source>
        <translation>Feed button</translation>
    </message>
    <message>
        <source>按下</source>
        <translation>pressed</translation>
    </message>
    <message>
        <source>未按</source>
        <translation>released</translation>
    </message>
    <message>
        <source>切刀错误</source>
        <translation>Cutter error</translation>
    </message>
    <message>
        <source>有</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>无</source>
        <translation>no</translation>
    </message>
    <message>
        <source>不可恢复错误</source>
        <translation>Unrecoverable error</translation>
    </message>
    <message>
        <source>可自动恢复错误</source>
        <translation>Auto-recoverable error</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>型号ID</source>
        <translation>Model ID</translation>
    </message>
    <message>
        <source>类型ID</source>
        <translation>Type ID</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
</context>
<context>
    <name>SendProgressDialog</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SendReport</name>
    <message>
        <source>数据没有完全发送成功!%1/%2</source>
        <translation>Not all data was sent! %1/%2</translation>
    </message>
    <message>
        <source>文件太大,无法一次发送!</source>
        <translation>The file is too large to send at once!</translation>
    </message>
    <message>
        <source>(未选择端口)</source>
        <translation>(no port selected)</translation>
    </message>
    <message>
        <source>提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 lp 组(打印机端口),然后重新登录。</source>
        <translation>Hint: no permission to use the device. Add the user to the groups dialout (serial ports) and lp (printer ports), then log in again.</translation>
    </message>
    <message>
        <source>提示:设备不存在。请检查打印机是否已连接并打开电源。</source>
        <translation>Hint: the device does not exist. Check that the printer is connected and switched on.</translation>
    </message>
    <message>
        <source>提示:无法连接打印机。请检查IP地址以及打印机是否已打开电源。</source>
        <translation>Hint: cannot connect to the printer. Check the IP address and that the printer is switched on.</translation>
    </message>
    <message>
        <source>提示:没有选择端口。请在端口列表中选择打印机所接的端口。</source>
        <translation>Hint: no port is selected. Select the port the printer is connected to in the port list.</translation>
    </message>
    <message>
        <source>“%1”已取消,已发送到 %2 的字节:%3。</source>
        <translation>“%1” was cancelled; bytes sent to %2: %3.</translation>
    </message>
    <message>
        <source>“%1”的数据没有全部发送到 %2,已发送字节:%3。</source>
        <translation>Not all of “%1” was sent to %2; bytes sent: %3.</translation>
    </message>
    <message>
        <source>错误:</source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>无法读取文件 %1
错误:%2</source>
        <translation>Cannot read the file %1
Error: %2</translation>
    </message>
    <message>
        <source>正在发送到 %1:%2/%3 字节,%4 字节/秒</source>
        <translation>Sending to %1: %2/%3 bytes, %4 bytes/s</translation>
    </message>
    <message>
        <source>正在取消发送……</source>
        <translation>Cancelling the send…</translation>
    </message>
    <message>
        <source>连续打印 %1 份,有 %2 份没有完全发送成功!第一份是第 %3 份</source>
        <translation>Continuous printing of %1 copies: %2 were not sent completely! The first was copy %3</translation>
    </message>
</context>
<context>
    <name>SerialSettings</name>
    <message>
        <source>串口设置没有保存成功!
</source>
        <translation>The serial settings were not saved!
</translation>
    </message>
</context>
<context>
    <name>StatusDecoding</name>
    <message>
        <source>纸将尽</source>
        <translation>paper near end</translation>
    </message>
    <message>
        <source>纸ok</source>
        <translation>paper OK</translation>
    </message>
    <message>
        <source>无纸!</source>
        <translation>No paper!</translation>
    </message>
    <message>
        <source>有纸!</source>
        <translation>Paper present!</translation>
    </message>
    <message>
        <source>返回数据不正确:0x</source>
        <translation>Unexpected reply: 0x</translation>
    </message>
    <message>
        <source>盖打开</source>
        <translation>cover open</translation>
    </message>
    <message>
        <source>盖关好</source>
        <translation>cover closed</translation>
    </message>
    <message>
        <source>缺纸</source>
        <translation>paper out</translation>
    </message>
    <message>
        <source>有纸</source>
        <translation>paper present</translation>
    </message>
    <message>
        <source>返回值:0x%1,0x%2,%3,%4,%5</source>
        <translation>Reply: 0x%1,0x%2,%3,%4,%5</translation>
    </message>
    <message>
        <source>目前仅支持串口打印机!</source>
        <translation>Only serial printers are supported for now!</translation>
    </message>
    <message>
        <source>读取数据失败!</source>
        <translation>Reading the data failed!</translation>
    </message>
    <message>
        <source>读取返回数据失败!</source>
        <translation>Reading the reply failed!</translation>
    </message>
</context>
<context>
    <name>SymbolChecks</name>
    <message>
        <source>请输入要编码的文字!</source>
        <translation>Please enter the text to encode!</translation>
    </message>
    <message>
        <source>文字太长,最多1000字节!</source>
        <translation>The text is too long: 1000 bytes at most!</translation>
    </message>
    <message>
        <source>二维码设置不正确!</source>
        <translation>The QR code settings are not valid!</translation>
    </message>
</context>
<context>
    <name>TrafficReading</name>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>(前 %1未保留)</source>
        <translation>(first %1 not kept)</translation>
    </message>
    <message>
        <source>错误: %1</source>
        <translation>error: %1</translation>
    </message>
</context>
<context>
    <name>quillora::AboutDialog</name>
    <message>
        <source>关于 Quillora</source>
        <translation>About Quillora</translation>
    </message>
    <message>
        <source>Quillora 1.0 版</source>
        <translation>Quillora version 1.0</translation>
    </message>
    <message>
        <source>ESC/POS 票据打印机测试工具</source>
        <translation>ESC/POS receipt printer test utility</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quillora::IpAddressDialog</name>
    <message>
        <source>IP设置</source>
        <translation>IP settings</translation>
    </message>
</context>
<context>
    <name>quillora::MainTestDialog</name>
    <message>
        <source>端口选择没有保存成功!
</source>
        <translation>The port selection was not saved!
</translation>
    </message>
    <message>
        <source>通信监视</source>
        <translation>Traffic monitor</translation>
    </message>
    <message>
        <source>IP地址没有保存成功!
</source>
        <translation>The IP address was not saved!
</translation>
    </message>
    <message>
        <source>打印机状态</source>
        <translation>Printer status</translation>
    </message>
    <message>
        <source>二维码打印</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>PDF417打印</source>
        <translation>PDF417</translation>
    </message>
</context>
<context>
    <name>quillora::PrinterChooserDialog</name>
    <message>
        <source>请选择打印机</source>
        <translation>Choose a printer</translation>
    </message>
</context>
<context>
    <name>quillora::ReceiptPreviewPane</name>
    <message>
        <source>保存预览(.png)…</source>
        <translation>Save preview (.png)…</translation>
    </message>
    <message>
        <source>预览中的问题</source>
        <translation>Problems in the preview</translation>
    </message>
    <message>
        <source>这一行之前没有打印内容</source>
        <translation>Nothing printed before this line</translation>
    </message>
    <message>
        <source>%1  %2</source>
        <translation>%1  %2</translation>
    </message>
    <message>
        <source>没有发送数据</source>
        <translation>No data sent</translation>
    </message>
</context>
<context>
    <name>quillora::SerialSettingsDialog</name>
    <message>
        <source> 串口设置</source>
        <translation> serial settings</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>流控制</source>
        <translation>Flow control</translation>
    </message>
</context>
<context>
    <name>quillora::StatusWindow</name>
    <message>
        <source>打印机状态</source>
        <translation>Printer status</translation>
    </message>
    <message>
        <source>端口: %1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>打印机信息</source>
        <translation>Printer information</translation>
    </message>
    <message>
        <source>正在读取...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>轮询(不用自动状态返回)</source>
        <translation>Poll (no automatic status back)</translation>
    </message>
    <message>
        <source>变化记录</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>另存为文本...</source>
        <translation>Save as text...</translation>
    </message>
    <message>
        <source>自动状态返回</source>
        <translation>Automatic status back</translation>
    </message>
    <message>
        <source>每0.5秒查询</source>
        <translation>Asked every 0.5 s</translation>
    </message>
    <message>
        <source>打印机没有回答!</source>
        <translation>The printer did not answer!</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)|*.txt||</source>
        <translation>Text files (*.txt)|*.txt||</translation>
    </message>
    <message>
        <source>变化记录没有保存成功!
</source>
        <translation>The changes were not saved!
</translation>
    </message>
</context>
<context>
    <name>quillora::SymbolDialog</name>
    <message>
        <source>二维码打印</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>PDF417打印</source>
        <translation>PDF417</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>编码</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>模块大小</source>
        <translation>Module size</translation>
    </message>
    <message>
        <source>纠错等级</source>
        <translation>Error level</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>quillora::TrafficMonitorWindow</name>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>另存为文本...</source>
        <translation>Save as text...</translation>
    </message>
    <message>
        <source>保存发送数据(.bin)...</source>
        <translation>Save sent data (.bin)...</translation>
    </message>
    <message>
        <source>通信监视</source>
        <translation>Traffic monitor</translation>
    </message>
    <message>
        <source>最早的通信已丢弃(只保留最近 %1): %2 次调用, %3 字节</source>
        <translation>Oldest traffic dropped (only the last %1 are kept): %2 calls, %3 bytes</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>无法保存 %1: %2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>quillora::TrafficTableModel</name>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Dir</translation>
    </message>
    <message>
        <source>字节</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
</context>
</TS>
