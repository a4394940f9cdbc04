{ Writes the golden layout stream files that the object model tests compare with:
  data/layout_golden.bin (Free Pascal's TWriter output for a small component tree) and
  data/layout_golden.txt (its ObjectBinaryToText output). The C++ tests build the same
  tree from classes with the same published properties and expect the same bytes.

  Build and run from this folder:  fpc -Mobjfpc layout_golden.pas && ./layout_golden ../data }
program layout_golden;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils;

type
  TTestAlign = (taNone, taTop, taBottom, taClient);
  TTestOption = (toBold, toItalic, toUnderline, toStrikeOut);
  TTestOptions = set of TTestOption;

  TTestFont = class(TPersistent)
  private
    FName: string;
    FHeight: Integer;
    FStyle: TTestOptions;
    FColor: Integer;
  public
    procedure Assign(Source: TPersistent); override;
  published
    property Name: string read FName write FName;
    property Height: Integer read FHeight write FHeight;
    property Style: TTestOptions read FStyle write FStyle;
    property Color: Integer read FColor write FColor default 0;
  end;

  TTestItem = class(TCollectionItem)
  private
    FCaption: string;
    FValue: Integer;
  published
    property Caption: string read FCaption write FCaption;
    property Value: Integer read FValue write FValue default 0;
  end;

  TTestWidget = class(TComponent)
  private
    FCaption: string;
    FCount: Integer;
    FSmall: Byte;
    FWide: Word;
    FBig: Int64;
    FLetter: Char;
    FInitial: WideChar;
    FAlign: TTestAlign;
    FVisible: Boolean;
    FOptions: TTestOptions;
    FAnchors: TTestOptions;
    FRatio: Double;
    FHidden: Integer;
    FFont: TTestFont;
    FLines: TStrings;
    FItems: TCollection;
    FBuddy: TComponent;
    FOnClick: TNotifyEvent;
    FData: TMemoryStream;
    procedure SetFont(Value: TTestFont);
    procedure SetLines(Value: TStrings);
    procedure SetItems(Value: TCollection);
    function GetVersion: string;
    procedure ReadData(Stream: TStream);
    procedure WriteData(Stream: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Data: TMemoryStream read FData;
  published
    property Caption: string read FCaption write FCaption;
    property Count: Integer read FCount write FCount;
    property Small: Byte read FSmall write FSmall default 9;
    property Wide: Word read FWide write FWide;
    property Big: Int64 read FBig write FBig;
    property Letter: Char read FLetter write FLetter;
    property Initial: WideChar read FInitial write FInitial;
    property Align: TTestAlign read FAlign write FAlign default taNone;
    property Visible: Boolean read FVisible write FVisible default True;
    property Options: TTestOptions read FOptions write FOptions default [];
    property Anchors: TTestOptions read FAnchors write FAnchors;
    property Ratio: Double read FRatio write FRatio;
    property Hidden: Integer read FHidden write FHidden stored False;
    property Version: string read GetVersion;
    property Font: TTestFont read FFont write SetFont;
    property Lines: TStrings read FLines write SetLines;
    property Items: TCollection read FItems write SetItems;
    property Buddy: TComponent read FBuddy write FBuddy;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TTestForm = class(TComponent)
  private
    FCaption: string;
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
  published
    property Caption: string read FCaption write FCaption;
    procedure Button1Click(Sender: TObject);
  end;

procedure TTestFont.Assign(Source: TPersistent);
begin
  if Source is TTestFont then
  begin
    FName := TTestFont(Source).FName;
    FHeight := TTestFont(Source).FHeight;
    FStyle := TTestFont(Source).FStyle;
    FColor := TTestFont(Source).FColor;
  end
  else
    inherited Assign(Source);
end;

constructor TTestWidget.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FSmall := 9;
  FVisible := True;
  FFont := TTestFont.Create;
  FLines := TStringList.Create;
  FItems := TCollection.Create(TTestItem);
  FData := TMemoryStream.Create;
end;

destructor TTestWidget.Destroy;
begin
  FData.Free;
  FItems.Free;
  FLines.Free;
  FFont.Free;
  inherited Destroy;
end;

procedure TTestWidget.SetFont(Value: TTestFont);
begin
  FFont.Assign(Value);
end;

procedure TTestWidget.SetLines(Value: TStrings);
begin
  FLines.Assign(Value);
end;

procedure TTestWidget.SetItems(Value: TCollection);
begin
  FItems.Assign(Value);
end;

function TTestWidget.GetVersion: string;
begin
  Result := '1.0';
end;

procedure TTestWidget.ReadData(Stream: TStream);
begin
  FData.LoadFromStream(Stream);
end;

procedure TTestWidget.WriteData(Stream: TStream);
begin
  FData.SaveToStream(Stream);
end;

procedure TTestWidget.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Data', @ReadData, @WriteData, FData.Size > 0);
end;

procedure TTestForm.GetChildren(Proc: TGetChildProc; Root: TComponent);
var
  I: Integer;
begin
  for I := 0 to ComponentCount - 1 do
    Proc(Components[I]);
end;

procedure TTestForm.Button1Click(Sender: TObject);
begin
end;

var
  Form: TTestForm;
  W1, W2: TTestWidget;
  Item: TTestItem;
  Bin: TMemoryStream;
  Txt: TMemoryStream;
  Dir: string;
  I: Integer;
  Long: string;
  B: Byte;
begin
  Dir := IncludeTrailingPathDelimiter(ParamStr(1));
  Form := TTestForm.Create(nil);
  Form.Name := 'Form1';
  Form.Caption := 'Test form';

  W1 := TTestWidget.Create(Form);
  W1.Name := 'Widget1';
  W1.Caption := 'It''s a widget'#13#10'on two lines';
  W1.Count := 1000;
  W1.Small := 200;
  W1.Wide := 60000;
  W1.Big := 5000000000;
  W1.Letter := 'Z';
  W1.Initial := WideChar($015F);
  W1.Align := taClient;
  W1.Visible := False;
  W1.Options := [toBold, toUnderline];
  W1.Anchors := [toItalic];
  W1.Ratio := 0.1;
  W1.Hidden := 7;
  W1.Font.Name := 'MS Sans Serif';
  W1.Font.Height := -11;
  W1.Font.Style := [toBold];
  W1.Font.Color := 255;
  W1.Lines.Add('one');
  W1.Lines.Add('two, three');
  W1.Lines.Add('');
  Item := W1.Items.Add as TTestItem;
  Item.Caption := 'First';
  Item.Value := 1;
  Item := W1.Items.Add as TTestItem;
  Item.Caption := 'Second';
  W1.OnClick := @Form.Button1Click;
  for I := 0 to 39 do
  begin
    B := I * 7;
    W1.Data.Write(B, 1);
  end;

  W2 := TTestWidget.Create(Form);
  W2.Name := 'Widget2';
  Long := '';
  for I := 1 to 30 do
    Long := Long + 'Long text' + IntToStr(I mod 10);
  W2.Caption := Long;
  W2.Count := -5;
  W2.Initial := WideChar($011F);
  W2.Big := -70000;
  W2.Ratio := -2.5;
  W1.Buddy := W2;
  W2.Buddy := Form;

  Bin := TMemoryStream.Create;
  Bin.WriteComponent(Form);
  Bin.SaveToFile(Dir + 'layout_golden.bin');
  Bin.Position := 0;
  Txt := TMemoryStream.Create;
  ObjectBinaryToText(Bin, Txt);
  Txt.SaveToFile(Dir + 'layout_golden.txt');
  Txt.Free;
  Bin.Free;
  Form.Free;
end.
