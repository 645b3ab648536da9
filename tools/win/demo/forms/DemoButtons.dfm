object DemoButtons: TDemoPlainForm
  Left = 24
  Top = 400
  BorderStyle = bsSingle
  Caption = '控件：按钮'
  ClientWidth = 460
  ClientHeight = 340
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Label1: TLabel
    Left = 12
    Top = 10
    Caption = '按钮：普通、不可用、默认、有焦点'
  end
  object FocusedButton: TButton
    Left = 12
    Top = 34
    Width = 100
    Height = 30
    Caption = '有焦点'
    TabOrder = 0
  end
  object NormalButton: TButton
    Left = 122
    Top = 34
    Width = 100
    Height = 30
    Caption = '普通'
    TabOrder = 1
  end
  object DisabledButton: TButton
    Left = 232
    Top = 34
    Width = 100
    Height = 30
    Caption = '不可用'
    Enabled = False
    TabOrder = 2
  end
  object DefaultButton: TButton
    Left = 342
    Top = 34
    Width = 100
    Height = 30
    Caption = '默认'
    Default = True
    TabOrder = 3
  end
  object Label2: TLabel
    Left = 12
    Top = 76
    Caption = '带图的按钮'
  end
  object GlyphButton: TBitBtn
    Left = 12
    Top = 98
    Width = 120
    Height = 32
    Caption = '带图'
    Glyph.Data = {@speedglyphs.bmp@}
    NumGlyphs = 4
    TabOrder = 4
  end
  object DisabledGlyphButton: TBitBtn
    Left = 142
    Top = 98
    Width = 120
    Height = 32
    Caption = '不可用'
    Enabled = False
    Glyph.Data = {@speedglyphs.bmp@}
    NumGlyphs = 4
    TabOrder = 5
  end
  object UnskinnedButton: TButton
    Tag = 99
    Left = 272
    Top = 98
    Width = 170
    Height = 32
    Caption = 'Tag 99：不换肤'
    TabOrder = 6
  end
  object Label3: TLabel
    Left = 12
    Top = 142
    Caption = '快捷按钮：一组（左按下）、可全抬起、平的、不可用、带图'
  end
  object SpeedPanel: TPanel
    Left = 12
    Top = 164
    Width = 430
    Height = 40
    BevelOuter = bvLowered
    object SpeedLeft: TSpeedButton
      Left = 4
      Top = 4
      Width = 50
      Height = 32
      Caption = '左'
      GroupIndex = 1
      Down = True
    end
    object SpeedCenter: TSpeedButton
      Left = 56
      Top = 4
      Width = 50
      Height = 32
      Caption = '中'
      GroupIndex = 1
    end
    object SpeedRight: TSpeedButton
      Left = 108
      Top = 4
      Width = 50
      Height = 32
      Caption = '右'
      GroupIndex = 1
    end
    object SpeedBold: TSpeedButton
      Left = 170
      Top = 4
      Width = 50
      Height = 32
      Caption = '粗'
      GroupIndex = 2
      AllowAllUp = True
    end
    object SpeedFlat: TSpeedButton
      Left = 222
      Top = 4
      Width = 50
      Height = 32
      Caption = '平'
      Flat = True
    end
    object SpeedDisabled: TSpeedButton
      Left = 274
      Top = 4
      Width = 60
      Height = 32
      Caption = '不可用'
      Enabled = False
    end
    object SpeedGlyph: TSpeedButton
      Left = 336
      Top = 4
      Width = 90
      Height = 32
      Caption = '带图'
      Glyph.Data = {@speedglyphs.bmp@}
      NumGlyphs = 4
      GroupIndex = 3
      AllowAllUp = True
    end
  end
  object Label4: TLabel
    Left = 12
    Top = 214
    Caption = 'Tag 5555：按钮下透出父控件的图'
  end
  object Backdrop: TImage
    Left = 12
    Top = 236
    Width = 200
    Height = 80
    Picture.Data = {@backdrop.bmp@}
  end
  object TransparentButton: TButton
    Tag = 5555
    Left = 40
    Top = 258
    Width = 140
    Height = 36
    Caption = 'Tag 5555'
    TabOrder = 7
  end
  object CloseButton: TButton
    Left = 342
    Top = 296
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 8
    OnClick = CloseClick
  end
end
