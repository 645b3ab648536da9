object Form_mm: TForm_mm
  Left = 417
  Top = 226
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = '登录'
  ClientHeight = 314
  ClientWidth = 346
  Color = clBtnFace
  Font.Charset = 134
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = '宋体'
  Position = poDesigned
  PixelsPerInch = 96
  TextHeight = 16
  OnClose = FormClose
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 24
    Top = 25
    Width = 32
    Height = 16
    Caption = '密码'
  end
  object Label2: TLabel
    Left = 24
    Top = 148
    Width = 48
    Height = 16
    Caption = '新密码'
  end
  object Label3: TLabel
    Left = 24
    Top = 190
    Width = 48
    Height = 16
    Caption = '再确认'
  end
  object MaskEdit1: TMaskEdit
    Left = 84
    Top = 20
    Width = 215
    Height = 24
    PasswordChar = '*'
    TabOrder = 0
    OnKeyPress = MaskEdit1KeyPress
  end
  object BitBtn1: TBitBtn
    Left = 70
    Top = 65
    Width = 94
    Height = 47
    Caption = '登录'
    TabOrder = 1
    OnClick = BitBtn1Click
    Glyph.Data = { 424D00 }
  end
  object BitBtn3: TBitBtn
    Left = 200
    Top = 65
    Width = 94
    Height = 47
    Caption = '改密'
    TabOrder = 5
    OnClick = BitBtn3Click
    Glyph.Data = { 424D00 }
  end
  object MaskEdit2: TMaskEdit
    Left = 84
    Top = 145
    Width = 215
    Height = 24
    PasswordChar = '*'
    TabOrder = 2
  end
  object MaskEdit3: TMaskEdit
    Left = 84
    Top = 185
    Width = 215
    Height = 24
    PasswordChar = '*'
    TabOrder = 3
  end
  object BitBtn2: TBitBtn
    Left = 141
    Top = 225
    Width = 89
    Height = 40
    Caption = '保存'
    TabOrder = 4
    OnClick = BitBtn2Click
    Glyph.Data = { 424D00 }
  end
end
