// Writes one receipt from each ESC/POS client library into the folder given as the first
// argument, as the bytes each library would send to a printer:
//   node-thermal-printer.bin  (EPSON type)
//   escpos-buffer.bin         (model TM-T20)
//   receipt-printer-encoder.bin (@point-of-sale/receipt-printer-encoder, ESC/POS)
//   node-escpos.bin           (@node-escpos/core, which also sends clone-printer commands)
//   react-thermal-printer.bin (@react-thermal-printer/printer)
// Each receipt opens with the same word plain, bold and reversed, then uses the library's
// own features: alignment, sizes, fonts, every barcode it offers, QR, a picture, the
// drawer and the cut. The test that replays them knows the same data.
'use strict';
const fs = require('fs');
const path = require('path');
const { PNG } = require('pngjs');
const { ThermalPrinter, PrinterTypes, CharacterSet } = require('node-thermal-printer');
const escpos = require('escpos-buffer');
const ReceiptPrinterEncoder = require('@point-of-sale/receipt-printer-encoder');
const NodeEscpos = require('@node-escpos/core');
const ReactThermal = require('@react-thermal-printer/printer');

// Digits two to a byte after "{C", as clients that print numbers compactly send them.
function codeC(digits) {
  return '{C' + digits.match(/\d{2}/g).map((pair) => String.fromCharCode(Number(pair))).join('');
}

// The test picture: a frame, a diagonal and a filled block, 96 x 48 dots.
const kPictureWidth = 96;
const kPictureHeight = 48;
function black(x, y) {
  return x === 0 || y === 0 || x === kPictureWidth - 1 || y === kPictureHeight - 1 ||
         x === 2 * y || (x >= 60 && x < 80 && y >= 10 && y < 30);
}
function pictureRgba() {
  const data = Buffer.alloc(kPictureWidth * kPictureHeight * 4);
  for (let y = 0; y < kPictureHeight; y++) {
    for (let x = 0; x < kPictureWidth; x++) {
      const value = black(x, y) ? 0 : 255;
      data.fill(value, (y * kPictureWidth + x) * 4, (y * kPictureWidth + x) * 4 + 3);
      data[(y * kPictureWidth + x) * 4 + 3] = 255;
    }
  }
  return data;
}

const kWord = 'Quillora 17';

function nodeThermalPrinter() {
  const printer = new ThermalPrinter({ type: PrinterTypes.EPSON, width: 48,
                                       characterSet: CharacterSet.PC858_EURO });
  printer.println(kWord);
  printer.bold(true);
  printer.println(kWord);
  printer.bold(false);
  printer.invert(true);
  printer.println(kWord);
  printer.invert(false);
  printer.underline(true);
  printer.println('Underlined');
  printer.underlineThick(true);
  printer.println('Thick underline');
  printer.underline(false);
  printer.alignCenter();
  printer.setTextDoubleHeight();
  printer.println('Double height');
  printer.setTextQuadArea();
  printer.println('Quad');
  printer.setTextNormal();
  printer.alignRight();
  printer.println('Right');
  printer.alignLeft();
  printer.setTypeFontB();
  printer.println('Font B: 64 columns');
  printer.setTypeFontA();
  printer.setTextSize(2, 2);
  printer.println('Size 3');
  printer.setTextNormal();
  printer.leftRight('Left', 'Right');
  printer.table(['One', 'Two', 'Three']);
  printer.drawLine();
  printer.println('Price: 5,00 € – Grüße');
  printer.setLineSpacing(40);
  printer.println('Spaced');
  printer.resetLineSpacing();
  printer.upsideDown(true);
  printer.println('Upside down');
  printer.upsideDown(false);
  const barcodes = [
    [65, '03600029145'], [66, '0123456'], [67, '400638133393'], [68, '9638507'],
    [69, 'QUILLORA-39'], [70, '12345678'], [71, 'A40156B'], [72, 'CODE93 TEST'],
    [73, 'Quillora128'],
  ];
  for (const [type, data] of barcodes) {
    printer.println(`GS k ${type}`);
    printer.printBarcode(data, type, { height: 80, width: 2 });
    printer.newLine();
  }
  printer.println('code128()');
  printer.code128('N-T-P 4.6.1');
  printer.newLine();
  printer.println('printQR()');
  printer.printQR('https://quillora.example/receipt/node-thermal-printer', { cellSize: 4 });
  printer.newLine();
  printer.println('pdf417()');
  printer.pdf417('Quillora PDF417');
  printer.newLine();
  printer.println('printImageBuffer()');
  const png = new PNG({ width: kPictureWidth, height: kPictureHeight });
  pictureRgba().copy(png.data);
  return printer.printImageBuffer(PNG.sync.write(png)).then(() => {
    printer.openCashDrawer();
    printer.cut();
    return printer.getBuffer();
  });
}

async function escposBuffer() {
  const { Printer, InMemory, Image, Threshold, Style, Align, Drawer } = escpos;
  const connection = new InMemory();
  const printer = await Printer.CONNECT('TM-T20', connection);
  await printer.setColumns(48);
  await printer.writeln(kWord);
  await printer.writeln(kWord, Style.Bold);
  await printer.writeln('Underlined', Style.Underline);
  await printer.writeln('Double', Style.DoubleWidth | Style.DoubleHeight, Align.Center);
  await printer.writeln('Right', 0, Align.Right);
  await printer.withStyle({ width: 3, height: 2, bold: true, align: Align.Center }, async () => {
    await printer.writeln('3 x 2');
  });
  await printer.setColumns(64);
  await printer.writeln('Font B: 64 columns');
  await printer.setColumns(48);
  await printer.setCodepage('cp858');
  await printer.writeln('Preço: 5,00 € – Grüße');
  await printer.setAlignment(Align.Center);
  await printer.qrcode('https://quillora.example/receipt/escpos-buffer', 5);
  const image = new Image({ data: pictureRgba(), width: kPictureWidth, height: kPictureHeight },
                          new Threshold());
  await printer.draw(image);
  await printer.setAlignment(Align.Left);
  await printer.feed(2);
  await printer.buzzer();
  await printer.drawer(Drawer.First);
  await printer.cutter();
  return connection.buffer();
}

function receiptPrinterEncoder() {
  const encoder = new ReceiptPrinterEncoder({ language: 'esc-pos', columns: 48,
                                              printerModel: 'epson-tm-t88vi' });
  const picture = { data: pictureRgba(), width: kPictureWidth, height: kPictureHeight };
  return Buffer.from(encoder.initialize()
    .line(kWord)
    .bold(true).line(kWord).bold(false)
    .invert(true).line(kWord).invert(false)
    .underline(true).line('Underlined').underline(false)
    .size(2, 2).line('Size 2').size(1, 1)
    .align('right').line('Right').align('left')
    .codepage('auto').line('Price: 5,00 € – Grüße')
    .line('Цена')
    .table([{ width: 24 }, { width: 24, align: 'right' }], [['Coffee', '2,50'], ['Cake', '3,10']])
    .rule()
    .barcode('{C' + codeC('20240512').slice(2), 'code128', 60).newline()
    .barcode(`{BINV${codeC('2024')}{B-${codeC('0042')}`, 'code128', 60).newline()
    .barcode('400638133393', 'ean13', 60).newline()
    .barcode('QUILLORA-39', 'code39', 60).newline()
    .qrcode('https://quillora.example/receipt/receipt-printer-encoder')
    .image(picture, kPictureWidth, kPictureHeight, 'threshold')
    .newline()
    .pulse()
    .cut()
    .encode());
}

function nodeEscpos() {
  const sink = { write(data, done) { done(); } };
  const printer = new NodeEscpos.Printer(sink, { encoding: 'GB18030', width: 48 });
  printer.hardware('init');
  printer.text(kWord);
  printer.style('B').text(kWord).style('NORMAL');
  printer.setReverseColors(true).text(kWord).setReverseColors(false);
  printer.style('U').text('Underlined').style('NORMAL');
  printer.color(1).text('Second colour').color(0);
  printer.size(2, 2).text('Size 2').size(1, 1);
  printer.align('ct').text('中文 收据').align('lt');
  printer.encode('utf8').raw('1c2843020030 02').text('UTF-8: Grüße 中文').raw('1c2843020030 01');
  printer.encode('GB18030');
  // Sixteen bytes of data, which the library counts right; its CODE128 names a code set
  // only for the xprinter model.
  printer.barcode('QUILLORA-NODE-EP', 'CODE93', { width: 2, height: 60 }).feed(1);
  printer.model('xprinter').barcode('INV-2024051200042', 'CODE128', { width: 2, height: 60 });
  printer.model(null).feed(1);
  printer.barcode('400638133393', 'EAN13', { width: 2, height: 60 }).feed(1);
  printer.qrcode('https://quillora.example/receipt/node-escpos');
  printer.feed(1);
  const pixels = require('ndarray')(new Uint8Array(pictureRgba()),
                                    [kPictureWidth, kPictureHeight, 4],
                                    [4, 4 * kPictureWidth, 1]);
  printer.raster(new NodeEscpos.Image(pixels));
  printer.cashdraw(2);
  printer.cut();
  return printer.buffer.flush();
}

function reactThermalPrinter() {
  const { Image } = require('@react-thermal-printer/image');
  const printer = new ReactThermal.EpsonPrinter();
  const image = { width: kPictureWidth, height: kPictureHeight, data: new Uint8ClampedArray(pictureRgba()) };
  return Buffer.from(printer.initialize()
    .text(kWord).newLine()
    .setTextBold(true).text(kWord).newLine().setTextBold(false)
    .invert(true).text(kWord).newLine().invert(false)
    .setTextUnderline('1dot-thick').text('Underlined').newLine().setTextUnderline('none')
    .setTextSize(2, 2).text('Size 2').newLine().setTextNormal()
    .setAlign('right').text('Right').newLine().setAlign('left')
    .setCharacterSet('pc858_euro').text('Price: 5,00 € Grüße').newLine()
    .setCharacterSet('wpc1253_greek').text('Ελλάδα').newLine()
    .barcode(codeC('20240512'), 'CODE128', { width: 2, height: 60, hriPosition: 'bottom' }).newLine()
    .barcode('{BRTP-' + codeC('0042').slice(0), 'CODE128', { width: 2, height: 60 }).newLine()
    .barcode('9638507', 'JAN8', { width: 2, height: 60 }).newLine()
    .qrcode('https://quillora.example/receipt/react-thermal-printer', { cellSize: 4 }).newLine()
    .image(image)
    .cashdraw('2pin')
    .cut()
    .getData());
}

(async () => {
  const folder = process.argv[2];
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, 'node-thermal-printer.bin'), await nodeThermalPrinter());
  fs.writeFileSync(path.join(folder, 'escpos-buffer.bin'), await escposBuffer());
  fs.writeFileSync(path.join(folder, 'receipt-printer-encoder.bin'), receiptPrinterEncoder());
  fs.writeFileSync(path.join(folder, 'node-escpos.bin'), nodeEscpos());
  fs.writeFileSync(path.join(folder, 'react-thermal-printer.bin'), reactThermalPrinter());
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
