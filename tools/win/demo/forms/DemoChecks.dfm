object DemoChecks: TDemoPlainForm
  Left = 640
  Top = 24
  BorderStyle = bsSingle
  Caption = '控件：复选框与单选按钮'
  ClientWidth = 480
  ClientHeight = 420
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object ChecksBox: TGroupBox
    Left = 12
    Top = 8
    Width = 220
    Height = 200
    Caption = '复选框'
    TabOrder = 0
    object CheckFocused: TCheckBox
      Left = 12
      Top = 24
      Width = 190
      Height = 20
      Caption = '未选中（有焦点）'
      TabOrder = 0
    end
    object CheckChecked: TCheckBox
      Left = 12
      Top = 48
      Width = 190
      Height = 20
      Caption = '选中'
      Checked = True
      TabOrder = 1
    end
    object CheckGrayed: TCheckBox
      Left = 12
      Top = 72
      Width = 190
      Height = 20
      Caption = '灰（三态）'
      AllowGrayed = True
      State = cbGrayed
      TabOrder = 2
    end
    object CheckDisabled: TCheckBox
      Left = 12
      Top = 96
      Width = 190
      Height = 20
      Caption = '不可用'
      Enabled = False
      TabOrder = 3
    end
    object CheckDisabledChecked: TCheckBox
      Left = 12
      Top = 120
      Width = 190
      Height = 20
      Caption = '不可用，选中'
      Checked = True
      Enabled = False
      TabOrder = 4
    end
    object CheckDisabledGrayed: TCheckBox
      Left = 12
      Top = 144
      Width = 190
      Height = 20
      Caption = '不可用，灰'
      AllowGrayed = True
      State = cbGrayed
      Enabled = False
      TabOrder = 5
    end
    object CheckLeftText: TCheckBox
      Left = 12
      Top = 168
      Width = 190
      Height = 20
      Caption = '文字在左'
      Alignment = taLeftJustify
      TabOrder = 6
    end
  end
  object RadiosBox: TGroupBox
    Left = 244
    Top = 8
    Width = 224
    Height = 96
    Caption = '单选按钮'
    TabOrder = 1
    object RadioNormal: TRadioButton
      Left = 12
      Top = 24
      Width = 200
      Height = 20
      Caption = '未选中'
    end
    object RadioChecked: TRadioButton
      Left = 12
      Top = 48
      Width = 200
      Height = 20
      Caption = '选中'
      Checked = True
    end
  end
  object DisabledRadiosBox: TGroupBox
    Left = 244
    Top = 112
    Width = 224
    Height = 96
    Caption = '不可用的单选按钮'
    TabOrder = 2
    object RadioDisabled: TRadioButton
      Left = 12
      Top = 24
      Width = 200
      Height = 20
      Caption = '不可用'
      Enabled = False
    end
    object RadioDisabledChecked: TRadioButton
      Left = 12
      Top = 48
      Width = 200
      Height = 20
      Caption = '不可用，选中'
      Checked = True
      Enabled = False
    end
  end
  object Choice: TRadioGroup
    Left = 12
    Top = 216
    Width = 220
    Height = 110
    Caption = '单选按钮组（两列）'
    Columns = 2
    ItemIndex = 2
    Items.Strings = (
      '春'
      '夏'
      '秋'
      '冬'
      '无')
    TabOrder = 3
  end
  object UnskinnedCheck: TCheckBox
    Tag = 99
    Left = 244
    Top = 220
    Width = 224
    Height = 20
    Caption = 'Tag 99：不换肤的复选框'
    Checked = True
    TabOrder = 4
  end
  object Label1: TLabel
    Left = 244
    Top = 250
    Caption = 'Tag 5555：透出父控件的图'
  end
  object Backdrop: TImage
    Left = 244
    Top = 272
    Width = 200
    Height = 80
    Picture.Data = {@backdrop.bmp@}
  end
  object TransparentCheck: TCheckBox
    Tag = 5555
    Left = 260
    Top = 284
    Width = 170
    Height = 20
    Caption = 'Tag 5555 复选框'
    Checked = True
    TabOrder = 5
  end
  object TransparentRadio: TRadioButton
    Tag = 5555
    Left = 260
    Top = 318
    Width = 170
    Height = 20
    Caption = 'Tag 5555 单选按钮'
    Checked = True
  end
  object CloseButton: TButton
    Left = 368
    Top = 376
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 6
    OnClick = CloseClick
  end
end
