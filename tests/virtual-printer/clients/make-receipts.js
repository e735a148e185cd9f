// Writes one receipt from each ESC/POS client library into the folder given as the first
// argument, as the bytes each library would send to a printer:
//   node-thermal-printer.bin  (EPSON type)
//   escpos-buffer.bin         (model TM-T20)
// Each receipt opens with the same word plain, bold and reversed, then uses the library's
// own features: alignment, sizes, fonts, every barcode it offers, QR, a picture, the
// drawer and the cut. The test that replays them knows the same data.
'use strict';
const fs = require('fs');
const path = require('path');
const { PNG } = require('pngjs');
const { ThermalPrinter, PrinterTypes, CharacterSet } = require('node-thermal-printer');
const escpos = require('escpos-buffer');

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

(async () => {
  const folder = process.argv[2];
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, 'node-thermal-printer.bin'), await nodeThermalPrinter());
  fs.writeFileSync(path.join(folder, 'escpos-buffer.bin'), await escposBuffer());
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
